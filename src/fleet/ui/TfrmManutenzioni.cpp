#include "TfrmManutenzioni.h"

#include "TfrmStampaManutenzioni.h"
#include "common/ui/Context.h"
#include "common/ui/Form.h"
#include "common/ui/PictureButton.h"
#include "common/ui/UserTexts.h"
#include "fleet/SchedaVeicolo.h"
#include "fleet/ServiceDue.h"
#include "storage/Amounts.h"
#include "storage/Cp1252.h"
#include "storage/MessageBreaks.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace rf {

namespace {

// Wide enough for a whole list line: 95 characters of the list's fixed-pitch font.
constexpr int ClientWidth = 1004;
constexpr int ClientHeight = 680;
constexpr int WorkWidth = 18; // characters of the work in a list line

const QString NewEntryText = QStringLiteral("Nuovo intervento");

QString field(const ShownCard& card, const char* name)
{
    return card.text(QLatin1String(name)).value_or(QString()).trimmed();
}

int capacity(const char* name)
{
    const RecordLayout& layout = TSchedaManutenzione();
    return layout.capacity(layout.indexOf(QLatin1String(name)));
}

QString dateText(const QDate& date)
{
    return date.isValid() ? formatDate(date) : QString();
}

// "in officina dal 03/05/2026 al 05/05/2026", "in officina il 03/05/2026"; empty without a stay.
QString stayText(const Service::Entry& entry)
{
    if (!entry.workshopFrom.isValid() && !entry.workshopTo.isValid())
        return {};
    const QDate from = entry.workshopFrom.isValid() ? entry.workshopFrom : entry.workshopTo;
    const QDate to = entry.workshopTo.isValid() ? std::max(entry.workshopTo, from) : from;
    if (from == to)
        return QStringLiteral("in officina ") + onDateText(from);
    return QStringLiteral("in officina ") + fromDateText(from) + QStringLiteral(" al ") + formatDate(to);
}

// One line of the list: date, work, cost, km and the stay in the workshop, in columns.
QString lineOf(const Service::Entry& entry)
{
    const QString cost = entry.cost.trimmed().isEmpty() ? QString() : euroText(entry.costCents());
    const QString km = entry.km.trimmed().isEmpty() ? QString() : QStringLiteral("km ") + entry.km.trimmed();
    QString line = dateText(entry.date).leftJustified(10) + QStringLiteral("  ") +
                   entry.work.trimmed().leftJustified(WorkWidth) + QStringLiteral("  ") +
                   cost.rightJustified(10) + QStringLiteral("  ") + km.leftJustified(8) +
                   QStringLiteral("  ") + stayText(entry);
    while (line.endsWith(QLatin1Char(' ')))
        line.chop(1);
    return line;
}

bool digitsOnly(const QString& text)
{
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

QLabel* formLabel(const QString& text, QWidget* buddy)
{
    QLabel* label = Style::caption(text, 12);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setBuddy(buddy);
    return label;
}

} // namespace

TfrmManutenzioni::TfrmManutenzioni(Context& context, QWidget* owner, const ShownCard& card)
    : FixedDialog(context, owner, QStringLiteral("frmManutenzioni"), QStringLiteral(" Manutenzioni"),
                  QSize(ClientWidth, ClientHeight)),
      m_card(card), m_number(field(card, "BiciNum"))
{
    m_model.setItemWidth(ClientWidth - 120);
    m_lstRecords = makeLineList(&m_model);
    m_lstRecords->setParent(this);
    m_lstRecords->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(m_lstRecords, &QListView::doubleClicked, this,
            [this](const QModelIndex& index) { openLine(index.row()); });

    m_lblTotali = Style::caption(QString(), 12, this);
    m_lblTotali->setObjectName(QStringLiteral("lblTotali"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 12, 14, 12);
    layout->setSpacing(8);
    layout->addWidget(buildHeader());
    layout->addWidget(m_lstRecords, 1);
    layout->addWidget(m_lblTotali);
    layout->addWidget(buildForm());
    layout->addLayout(buildButtons());
    setKeyboardOrder();

    // The whole log is read once: its kinds of work are offered, and the vehicle's entries shown.
    const Service::Log whole = Service::read(context.dataFolder());
    m_cboLavoro->addItems(kinds(whole.entries));
    Service::Log own{{}, whole.result};
    std::copy_if(
        whole.entries.begin(), whole.entries.end(), std::back_inserter(own.entries),
        [this](const Service::Entry& entry) { return entry.vehicleNumber.trimmed() == m_number.trimmed(); });
    showLog(own);
    cmdNuovoClick();
}

// ---- building the window -------------------------------------------------------------------

QWidget* TfrmManutenzioni::buildHeader()
{
    auto* header = new QFrame(this);
    header->setObjectName(QStringLiteral("panVeicolo"));
    header->setStyleSheet(QStringLiteral("QFrame#panVeicolo { background: black; border-radius: 4px; }"
                                         "QLabel { color: white; background: transparent; }"));
    auto* picture = SvgPicture::create(QStringLiteral(":/fleet/manutenzioni.svg"),
                                       QStringLiteral("imgChiave"), QSize(34, 34));
    auto* vehicle = new QLabel(Fleet::vehicleLabel(m_number, field(m_card, "Marca")));
    vehicle->setObjectName(QStringLiteral("lblVeicolo"));
    vehicle->setFont(Style::font(Style::Family::Verdana, 15, true));
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(10, 4, 10, 4);
    row->setSpacing(10);
    row->addWidget(picture);
    row->addWidget(vehicle, 1);
    return header;
}

QLineEdit* TfrmManutenzioni::makeEdit(const QString& fieldName)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(QStringLiteral("txt") + fieldName);
    edit->setMaxLength(capacity(fieldName.toLatin1().constData()));
    edit->setFont(Style::font(Style::Family::Verdana, 12, true));
    Form::highlightByBackground(edit);
    return edit;
}

QWidget* TfrmManutenzioni::buildForm()
{
    auto* form = new QFrame(this);
    form->setObjectName(QStringLiteral("shpScheda"));
    form->setStyleSheet(Style::sheet(
        QStringLiteral("QFrame#shpScheda { background: @BlockFill; border: 1px solid @PanelBorder;"
                       " border-radius: 6px; }"
                       "QComboBox { background: @IdleFill; border: 1px solid @EditBorder; padding: 1px 3px; }"
                       "QComboBox:focus { background: @FocusYellow; }")));
    m_txtData = makeEdit(QStringLiteral("Data"));
    m_cboLavoro = new QComboBox;
    m_cboLavoro->setObjectName(QStringLiteral("cboLavoro"));
    m_cboLavoro->setEditable(true);
    m_cboLavoro->setInsertPolicy(QComboBox::NoInsert);
    m_cboLavoro->setFont(Style::font(Style::Family::Verdana, 12, true));
    m_cboLavoro->lineEdit()->setMaxLength(capacity("Lavoro"));
    m_txtRicambi = makeEdit(QStringLiteral("Ricambi"));
    m_txtMeccanico = makeEdit(QStringLiteral("Meccanico"));
    m_txtCosto = makeEdit(QStringLiteral("Costo"));
    m_txtKm = makeEdit(QStringLiteral("Km"));
    m_txtNote = makeEdit(QStringLiteral("Note"));
    m_txtOfficinaDal = makeEdit(QStringLiteral("OfficinaDal"));
    m_txtOfficinaAl = makeEdit(QStringLiteral("OfficinaAl"));
    for (QLineEdit* date : {m_txtData, m_txtOfficinaDal, m_txtOfficinaAl}) {
        date->setPlaceholderText(QStringLiteral("gg/mm/aaaa"));
        date->setAlignment(Qt::AlignCenter);
        Form::wideEnoughFor(date, Form::DateSample);
        date->setFixedWidth(date->minimumWidth() + 16);
    }
    Form::filterKeys(m_txtCosto, Form::Keys::Amount);
    Form::normaliseAmountOnExit(m_txtCosto);
    m_txtCosto->setAlignment(Qt::AlignRight);
    m_txtCosto->setFixedWidth(130);
    Form::filterKeys(m_txtKm, Form::Keys::DigitsOnly);
    m_txtKm->setAlignment(Qt::AlignRight);
    m_txtKm->setFixedWidth(110);

    m_lblModo = Style::caption(NewEntryText, 13, form);
    m_lblModo->setObjectName(QStringLiteral("lblModo"));
    auto* grid = new QGridLayout(form);
    grid->setContentsMargins(12, 8, 12, 10);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    grid->addWidget(m_lblModo, 0, 0, 1, 6);
    grid->addWidget(formLabel(QStringLiteral("Data:"), m_txtData), 1, 0);
    grid->addWidget(m_txtData, 1, 1, Qt::AlignLeft);
    grid->addWidget(formLabel(QStringLiteral("Lavoro:"), m_cboLavoro), 1, 2);
    grid->addWidget(m_cboLavoro, 1, 3, 1, 3);
    grid->addWidget(formLabel(QStringLiteral("Ricambi:"), m_txtRicambi), 2, 0);
    grid->addWidget(m_txtRicambi, 2, 1, 1, 5);
    grid->addWidget(formLabel(QStringLiteral("Meccanico:"), m_txtMeccanico), 3, 0);
    grid->addWidget(m_txtMeccanico, 3, 1);
    grid->addWidget(formLabel(QStringLiteral("Costo €:"), m_txtCosto), 3, 2);
    grid->addWidget(m_txtCosto, 3, 3, Qt::AlignLeft);
    grid->addWidget(formLabel(QStringLiteral("Km:"), m_txtKm), 3, 4);
    grid->addWidget(m_txtKm, 3, 5, Qt::AlignLeft);
    grid->addWidget(formLabel(QStringLiteral("Note:"), m_txtNote), 4, 0);
    grid->addWidget(m_txtNote, 4, 1, 1, 5);
    grid->addWidget(formLabel(QStringLiteral("In officina dal:"), m_txtOfficinaDal), 5, 0);
    grid->addWidget(m_txtOfficinaDal, 5, 1, Qt::AlignLeft);
    grid->addWidget(formLabel(QStringLiteral("al:"), m_txtOfficinaAl), 5, 2);
    grid->addWidget(m_txtOfficinaAl, 5, 3, Qt::AlignLeft);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(3, 2);
    grid->setColumnStretch(5, 1);
    return form;
}

QLayout* TfrmManutenzioni::buildButtons()
{
    const auto button = [this](const char* name, const char* text, void (TfrmManutenzioni::*action)()) {
        QPushButton* b = Style::button(QLatin1String(name), QString::fromUtf8(text), QSize(120, 32), this);
        connect(b, &QPushButton::clicked, this, action);
        return b;
    };
    m_cmdNuovo = button("cmdNuovo", "Nuovo", &TfrmManutenzioni::cmdNuovoClick);
    m_cmdSalva = button("cmdSalva", "Salva", &TfrmManutenzioni::cmdSalvaClick);
    m_cmdElimina = button("cmdElimina", "Elimina", &TfrmManutenzioni::cmdEliminaClick);
    m_cmdStampa = button("cmdStampa", "Stampa", &TfrmManutenzioni::cmdStampaClick);
    m_cmdChiudi = Style::button(QStringLiteral("cmdChiudi"), QStringLiteral("Chiudi"), QSize(120, 32), this);
    connect(m_cmdChiudi, &QPushButton::clicked, this, &QDialog::reject);
    return buttonRow({m_cmdNuovo, m_cmdSalva, m_cmdElimina, m_cmdStampa, m_cmdChiudi}, 12);
}

// Tab follows the form from the list to the buttons; Enter moves through the fields in the same
// order and, from the last, to Salva.
void TfrmManutenzioni::setKeyboardOrder()
{
    const std::vector<QWidget*> order{m_lstRecords,     m_txtData,       m_cboLavoro, m_txtRicambi,
                                      m_txtMeccanico,   m_txtCosto,      m_txtKm,     m_txtNote,
                                      m_txtOfficinaDal, m_txtOfficinaAl, m_cmdNuovo,  m_cmdSalva,
                                      m_cmdElimina,     m_cmdStampa,     m_cmdChiudi};
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    Form::enterChain({m_txtData, m_cboLavoro, m_txtRicambi, m_txtMeccanico, m_txtCosto, m_txtKm, m_txtNote,
                      m_txtOfficinaDal});
    Form::enterMovesTo(m_txtOfficinaDal, m_txtOfficinaAl);
    Form::enterMovesTo(m_txtOfficinaAl, m_cmdSalva);
}

// The kinds of the settings' rules, then the shop's defaults, then those written in the log.
QStringList TfrmManutenzioni::kinds(const std::vector<Service::Entry>& whole) const
{
    QStringList kinds;
    const auto add = [&kinds](const QString& kind) {
        const QString k = kind.trimmed();
        if (!k.isEmpty() && !kinds.contains(k, Qt::CaseInsensitive))
            kinds.append(k);
    };
    for (const Service::DueRule& rule :
         Service::dueRules(m_context.path(QLatin1String(Service::SettingsFileName))))
        add(rule.kind);
    for (const QString& kind : Service::defaultKinds())
        add(kind);
    for (const Service::Entry& entry : whole)
        add(entry.work);
    return kinds;
}

// ---- the log -------------------------------------------------------------------------------

bool TfrmManutenzioni::reload(qint64 select)
{
    return showLog(Service::read(m_context.dataFolder(), m_number), select);
}

bool TfrmManutenzioni::showLog(const Service::Log& log, qint64 select)
{
    if (log.result != ScanResult::Done) {
        m_context.messages().error(
            this,
            Texts::archiveAccess(m_context.path(QLatin1String(Service::ArchiveName)), Texts::Access::Read));
        return false;
    }
    m_entries = log.entries;
    std::vector<ListEntry> lines;
    int selected = -1;
    for (const Service::Entry& entry : m_entries) {
        if (select > 0 && entry.position == select)
            selected = int(lines.size());
        lines.push_back({Cp1252::encode(lineOf(entry)), entry.position});
    }
    m_model.setEntries(std::move(lines), /*sorted=*/false);
    m_lblTotali->setText(Service::totalsText(Service::totalsOf(m_entries)));
    if (selected >= 0)
        m_lstRecords->setCurrentIndex(m_model.index(selected));
    return true;
}

void TfrmManutenzioni::openLine(int row)
{
    if (row < 0 || row >= int(m_entries.size()) || !mayLeaveForm())
        return;
    showEntry(m_entries[std::size_t(row)]);
    m_editing = m_entries[std::size_t(row)];
    m_lstRecords->setCurrentIndex(m_model.index(row));
    m_lblModo->setText(QStringLiteral("Modifica dell'intervento del ") + dateText(m_editing->date));
    markFormClean();
    m_txtData->setFocus(Qt::TabFocusReason);
}

void TfrmManutenzioni::showEntry(const Service::Entry& entry)
{
    m_txtData->setText(dateText(entry.date));
    m_cboLavoro->setCurrentIndex(-1);
    m_cboLavoro->setEditText(entry.work.trimmed());
    m_txtRicambi->setText(entry.parts.trimmed());
    m_txtMeccanico->setText(entry.mechanic.trimmed());
    m_txtCosto->setText(entry.cost.trimmed());
    m_txtKm->setText(entry.km.trimmed());
    m_txtNote->setText(entry.notes.trimmed());
    m_txtOfficinaDal->setText(dateText(entry.workshopFrom));
    m_txtOfficinaAl->setText(dateText(entry.workshopTo));
}

QStringList TfrmManutenzioni::formTexts() const
{
    return {m_txtData->text(),      m_cboLavoro->currentText(), m_txtRicambi->text(),
            m_txtMeccanico->text(), m_txtCosto->text(),         m_txtKm->text(),
            m_txtNote->text(),      m_txtOfficinaDal->text(),   m_txtOfficinaAl->text()};
}

void TfrmManutenzioni::markFormClean()
{
    m_cleanForm = formTexts();
}

bool TfrmManutenzioni::mayLeaveForm()
{
    // The amount is normalised as its edit is left: compare it as it will be.
    QStringList texts = formTexts();
    texts[4] = normaliseAmount(texts[4]);
    QStringList clean = m_cleanForm;
    if (clean.size() > 4)
        clean[4] = normaliseAmount(clean[4]);
    if (texts == clean)
        return true;
    return m_context.messages().confirmNo(
        this, QStringLiteral("Attenzione: i dati dell'intervento non sono stati salvati." RF_BREAK_LF_CR
                             "Si desidera abbandonarli?"));
}

void TfrmManutenzioni::showEvent(QShowEvent* event)
{
    FixedDialog::showEvent(event);
    if (!event->spontaneous()) {
        m_txtData->setFocus(Qt::TabFocusReason);
        m_txtData->selectAll();
    }
}

void TfrmManutenzioni::done(int result)
{
    if (!mayLeaveForm())
        return;
    FixedDialog::done(result);
}

// ---- the commands --------------------------------------------------------------------------

void TfrmManutenzioni::cmdNuovoClick()
{
    if (!m_cleanForm.isEmpty() && !mayLeaveForm())
        return;
    Service::Entry fresh;
    fresh.date = m_context.clock().today();
    fresh.mechanic = field(m_card, "Meccanico");
    showEntry(fresh);
    m_txtCosto->setText(QStringLiteral("0,00"));
    m_editing.reset();
    m_lblModo->setText(NewEntryText);
    m_lstRecords->clearSelection();
    m_lstRecords->setCurrentIndex({});
    markFormClean();
    m_txtData->setFocus(Qt::TabFocusReason);
    m_txtData->selectAll();
}

bool TfrmManutenzioni::refuse(const QString& message, QWidget* focus)
{
    m_context.messages().warning(this, message);
    focus->setFocus(Qt::TabFocusReason);
    return false;
}

// A date is taken only as written, dd/mm/yyyy: a text that names a date in any other way is
// refused rather than stored differently from how it was typed.
bool TfrmManutenzioni::readDate(QLineEdit* edit, const QString& what, bool required, QDate& date)
{
    const QString text = edit->text().trimmed();
    date = {};
    if (text.isEmpty()) {
        if (!required)
            return true;
        return refuse(QStringLiteral("Attenzione: per salvare l'intervento è necessario indicare %1 nel "
                                     "formato gg/mm/aaaa.")
                          .arg(what),
                      edit);
    }
    date = parseDate(text);
    if (date.isValid() && formatDate(date) == text)
        return true;
    date = {};
    return refuse(QStringLiteral("Attenzione: \"%1\" non è una data valida per %2." RF_BREAK_LF_CR
                                 "Indicare la data nel formato gg/mm/aaaa, ad esempio %3.")
                      .arg(text, what, formatDate(m_context.clock().today())),
                  edit);
}

std::optional<Service::Entry> TfrmManutenzioni::formEntry()
{
    Service::Entry entry;
    entry.vehicleNumber = m_number;
    if (!readDate(m_txtData, QStringLiteral("la data"), true, entry.date))
        return std::nullopt;
    entry.work = m_cboLavoro->currentText().trimmed();
    if (entry.work.isEmpty()) {
        refuse(
            QStringLiteral("Attenzione: per salvare l'intervento è necessario indicare il lavoro eseguito."),
            m_cboLavoro);
        return std::nullopt;
    }
    entry.cost = m_txtCosto->text().trimmed();
    if (!entry.cost.isEmpty() && !amountCents(entry.cost)) {
        refuse(QStringLiteral("Attenzione: il costo \"%1\" non è un importo valido.").arg(entry.cost),
               m_txtCosto);
        return std::nullopt;
    }
    entry.cost = normaliseAmount(entry.cost);
    entry.km = m_txtKm->text().trimmed();
    if (!digitsOnly(entry.km)) {
        refuse(QStringLiteral("Attenzione: i km vanno indicati con le sole cifre."), m_txtKm);
        return std::nullopt;
    }
    if (!readDate(m_txtOfficinaDal, QStringLiteral("l'inizio della sosta in officina"), false,
                  entry.workshopFrom) ||
        !readDate(m_txtOfficinaAl, QStringLiteral("la fine della sosta in officina"), false,
                  entry.workshopTo))
        return std::nullopt;
    if (entry.workshopFrom.isValid() && entry.workshopTo.isValid() && entry.workshopTo < entry.workshopFrom) {
        refuse(
            QStringLiteral("Attenzione: la fine della sosta in officina (%1) non può essere anteriore al suo "
                           "inizio (%2).")
                .arg(formatDate(entry.workshopTo), formatDate(entry.workshopFrom)),
            m_txtOfficinaAl);
        return std::nullopt;
    }
    entry.parts = m_txtRicambi->text().trimmed();
    entry.mechanic = m_txtMeccanico->text().trimmed();
    entry.notes = m_txtNote->text().trimmed();
    return entry;
}

void TfrmManutenzioni::cmdSalvaClick()
{
    // The edit being typed in finishes first (the amount is normalised as it is left).
    if (QWidget* focused = focusWidget())
        focused->clearFocus();
    std::optional<Service::Entry> entry = formEntry();
    if (!entry)
        return;
    const QString archive = m_context.path(QLatin1String(Service::ArchiveName));
    if (m_editing) {
        entry->position = m_editing->position;
        if (!Service::rewrite(m_context.dataFolder(), *m_editing, *entry)) {
            m_context.messages().error(
                this, QStringLiteral(
                          "Attenzione: le modifiche dell'intervento non sono state salvate." RF_BREAK_LF_CR
                          "L'archivio %1 non è accessibile in scrittura, oppure l'intervento è stato "
                          "eliminato o modificato da un'altra postazione.")
                          .arg(QLatin1String(Service::ArchiveName)));
            return;
        }
    } else {
        entry->position = Service::append(m_context.dataFolder(), *entry);
        if (entry->position < 0) {
            m_context.messages().error(this, Texts::archiveAccess(archive, Texts::Access::Write));
            return;
        }
    }
    // The form now holds the entry as saved, ready for a change; Enter on Nuovo starts the next.
    showEntry(*entry);
    m_editing = entry;
    m_lblModo->setText(QStringLiteral("Modifica dell'intervento del ") + dateText(entry->date));
    markFormClean();
    reload(entry->position);
    m_cmdNuovo->setFocus(Qt::TabFocusReason);
}

void TfrmManutenzioni::cmdEliminaClick()
{
    if (!m_editing) {
        m_context.messages().warning(
            this, QStringLiteral("Attenzione: per eliminare un intervento è necessario prima sceglierlo "
                                 "dall'elenco."));
        m_lstRecords->setFocus(Qt::TabFocusReason);
        return;
    }
    const QString what =
        QStringLiteral("%1 del %2").arg(m_editing->work.trimmed(), dateText(m_editing->date));
    if (!m_context.messages().confirmNo(
            this, QStringLiteral("Si desidera eliminare l'intervento \"%1\" dal registro delle "
                                 "manutenzioni?")
                      .arg(what)))
        return;
    if (!Service::remove(m_context.dataFolder(), *m_editing)) {
        m_context.messages().error(
            this,
            Texts::archiveAccess(m_context.path(QLatin1String(Service::ArchiveName)), Texts::Access::Write));
        return;
    }
    reload();
    m_cleanForm.clear(); // the removed entry's texts are not worth a question
    cmdNuovoClick();
}

void TfrmManutenzioni::cmdStampaClick()
{
    TfrmStampaManutenzioni dialog(m_context, this, serviceSheetBuilder(m_context.dataFolder(), m_card));
    dialog.exec();
}

} // namespace rf
