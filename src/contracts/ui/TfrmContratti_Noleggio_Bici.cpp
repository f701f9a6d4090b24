#include "TfrmContratti_Noleggio_Bici.h"

#include "TfrmAnteprima_Contratto_Noleggio_Bici.h"
#include "TfrmCalendario.h"
#include "TfrmClienti.h"
#include "TfrmCodFisc.h"
#include "TfrmListino.h"
#include "TfrmLogo.h"
#include "TfrmPartitaIva.h"
#include "TfrmStampa_Contratto_Noleggio_Bici.h"
#include "TfrmStampa_Scheda_Danni_Bici.h"
#include "common/ui/CardArchive.h"
#include "common/ui/CommandBar.h"
#include "common/ui/Context.h"
#include "common/ui/Form.h"
#include "common/ui/LongWork.h"
#include "common/ui/PictureButton.h"
#include "common/ui/RunDialog.h"
#include "common/ui/Status.h"
#include "common/ui/TfrmGuida.h"
#include "common/ui/UserTexts.h"
#include "contracts/ContractDefaults.h"
#include "contracts/ContractsGuide.h"
#include "contracts/CustomerRegister.h"
#include "contracts/DayCount.h"
#include "contracts/PriceList.h"
#include "contracts/SchedaContratto.h"
#include "contracts/VehicleImport.h"
#include "contracts/ui/TfrmBiciNonRiconsegnate.h"
#include "contracts/ui/TfrmExpContratti_DOZ_Bici.h"
#include "contracts/ui/TfrmTrovaContratti_DOZ_Bici.h"
#include "fleet/SchedaVeicolo.h"
#include "storage/Amounts.h"
#include "storage/ArchiveFile.h"
#include "storage/CountedString.h"
#include "storage/MessageBreaks.h"

#include <algorithm>
#include <iterator>

#include <QCheckBox>
#include <QDir>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QShortcut>
#include <QShowEvent>
#include <QVBoxLayout>

#include <map>

namespace rf {

namespace {

const QString IdleText = QStringLiteral("Pronto per inserire una nuova scheda...");

const char* const AmountFields[] = {"Importo", "Totale", "Cauzione"};
const QKeySequence PriceListKey(Qt::CTRL | Qt::SHIFT | Qt::Key_L);

struct DateField {
    const char* field;
    TfrmCalendario::DateFor mode;
};
const DateField DateFields[] = {{"Data", TfrmCalendario::DateFor::Data},
                                {"DataInizio", TfrmCalendario::DateFor::DataInizio},
                                {"DataFine", TfrmCalendario::DateFor::DataFine}};

// The body of the card: three columns of groups, each group rows of fields with their widths.
struct Cell {
    const char* field;
    int stretch;
};
struct Group {
    const char* title;
    std::vector<std::vector<Cell>> rows;
    bool holdsReturned = false; // the "Riconsegnato" box closes this group
};
using Column = std::vector<Group>;

const std::vector<Column>& bodyColumns()
{
    static const std::vector<Column> columns{
        {
            {"Cliente",
             {{{"Cliente", 5}, {"Sesso", 1}},
              {{"IndirizzoRes", 3}, {"ComuneRes", 3}},
              {{"ProvRes", 1}, {"CapRes", 2}, {"CodFisc", 5}},
              {{"Recapito", 3}, {"DataNasc", 2}},
              {{"LuogoNasc", 5}, {"ProvNasc", 1}}}},
            {"Documento di riconoscimento",
             {{{"TipoDoc", 1}, {"NumDoc", 1}}, {{"EnteRil", 2}, {"DataRil", 1}, {"DataSca", 1}}}},
            {"Minore affidato al cliente",
             {{{"Minore", 5}, {"SessoMin", 1}}, {{"LuogoNascMin", 2}, {"DataNascMin", 1}}}},
        },
        {
            {"Veicolo noleggiato", {{{"BiciNum", 2}, {"Taglia", 1}}, {{"Marca", 1}}, {{"Telaio", 1}}}},
            {"Tariffa",
             {{{"Tariffa", 1}}, {{"Conteggio", 1}}, {{"Eccedenza", 1}}, {{"Importo", 1}, {"Totale", 1}}}},
            {"Periodo di noleggio",
             {{{"DataInizio", 2}, {"OraInizio", 1}, {"SedeRit", 3}},
              {{"DataFine", 2}, {"OraFine", 1}, {"SedeRic", 3}},
              {{"TotGiorni", 1}}}},
        },
        {
            {"Accessori e cauzione", {{{"Accessori", 1}}, {{"Cauzione", 1}}, {{"Difetti", 1}}}},
            {"Pagamento e condizioni",
             {{{"Pagamento", 1}}, {{"Foro", 1}}, {{"Assicurazioni", 1}}, {{"Privacy", 1}}, {{"Note", 1}}},
             true},
        },
    };
    return columns;
}

QLabel* fieldLabel(const QString& text)
{
    QLabel* label = Style::caption(text, 11);
    label->setStyleSheet(Style::sheet(QStringLiteral("color: @Navy; background: transparent;")));
    return label;
}

QFrame* whiteGroup(const QString& name)
{
    auto* frame = new QFrame;
    frame->setObjectName(name);
    frame->setStyleSheet(QStringLiteral("#%1 { background-color: white; border-radius: 6px; }").arg(name));
    return frame;
}

// One line of a group: each field's label over its edit, and the button that stands beside it.
QHBoxLayout* fieldLine(const std::vector<Cell>& cells, const RecordLayout& layout,
                       const std::vector<QLineEdit*>& edits, const std::map<std::string, QWidget*>& extras)
{
    auto* line = new QHBoxLayout;
    line->setSpacing(8);
    for (const Cell& cell : cells) {
        const int i = layout.indexOf(QLatin1String(cell.field));
        auto* box = new QVBoxLayout;
        box->setSpacing(1);
        box->addWidget(fieldLabel(layout.label(i)));
        auto* field = new QHBoxLayout;
        field->setSpacing(4);
        field->addWidget(edits[std::size_t(i)], 1);
        if (auto extra = extras.find(cell.field); extra != extras.end())
            field->addWidget(extra->second);
        box->addLayout(field);
        line->addLayout(box, cell.stretch);
    }
    return line;
}

} // namespace

TfrmContratti_Noleggio_Bici::TfrmContratti_Noleggio_Bici(Context& context, QWidget* parent)
    : CardWindow(context, QStringLiteral("frmContratti_Noleggio_Bici"),
                 QStringLiteral(" Rotaflux - Contratti di Noleggio Biciclette"), TSchedaContratto(),
                 Contracts::EditCount, QString::fromLatin1(Contracts::ArchiveName), parent)
{
    buildWindow();
    connectArchive(
        [this] {
            m_storedDays = shownDays();
            m_autoFilled.clear();
            m_listFilled.clear();
        },
        {});
    // First and Save report archive failures as warnings, the other actions as errors.
    archive().setFailureBox(CardArchive::Action::First, CardArchive::Box::Warning);
    archive().setFailureBox(CardArchive::Action::Save, CardArchive::Box::Warning);
    clearCard();
}

// ---- building the window -------------------------------------------------------------------

void TfrmContratti_Noleggio_Bici::buildWindow()
{
    Style::gradientBackground(this, Style::DeepBlue);
    createPanel(IdleText, Style::Mist);

    for (const char* field : AmountFields) {
        QLineEdit* amount = edit(QLatin1String(field));
        amount->setAlignment(Qt::AlignRight);
        Form::filterKeys(amount, Form::Keys::Amount);
        Form::normaliseAmountOnExit(amount);
    }
    for (const DateField& date : DateFields) {
        QLineEdit* e = edit(QLatin1String(date.field));
        e->setReadOnly(true);
        const QString field = QLatin1String(date.field);
        Form::filterDateKeys(e, [this, field](const QString& key) { openDatePicker(field, key); });
    }
    Form::capitalsWhileTyping(edit(QStringLiteral("Sesso")), false);
    Form::capitalsWhileTyping(edit(QStringLiteral("SessoMin")), false);
    for (const char* field : {"ProvRes", "ProvNasc", "CodFisc"})
        Form::capitalsWhileTyping(edit(QLatin1String(field)), true);
    Form::filterKeys(edit(QStringLiteral("TotGiorni")), Form::Keys::DigitsOnly);
    // A fiscal code (16 characters) shows whole.
    Form::wideEnoughFor(edit(QStringLiteral("CodFisc")), QStringLiteral("WWWWWWWWWWWWWWWW"));
    // Enter in Bicicletta n. takes the fleet card of that number, when there is exactly one, and
    // goes on to the rental dates; otherwise on along the chain. Installed after the chain, so
    // it runs first.
    Form::onEvent(edit(QStringLiteral("BiciNum")), [this](QEvent* e) {
        if (e->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        return takeVehicleByNumber();
    });
    // Every date field (stipula, period, birth, document) shows a whole date.
    for (QLineEdit* e : m_edits) {
        if (e->objectName().startsWith(QLatin1String("txtData")))
            Form::wideEnoughFor(e, Form::DateSample);
    }

    QWidget* toolbar = buildToolbar();
    // The position of a contract among a hundred thousand and more shows whole beside the arrows.
    m_lblPosizione->setFixedWidth(
        std::max(m_lblPosizione->width(),
                 QFontMetrics(m_lblPosizione->font()).horizontalAdvance(QStringLiteral("0000000")) + 12));
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->setSpacing(8);
    layout->addWidget(buildHeader());
    layout->addWidget(buildBody(), 1);
    placePanel(toolbar, content);
}

QWidget* TfrmContratti_Noleggio_Bici::buildToolbar()
{
    auto* bar = new CommandBar(m_panInfo);
    addCardCommands(
        bar,
        {QStringLiteral("Prepara la schermata per l'emissione di un nuovo contratto."),
         QStringLiteral("Prepara la schermata per l'emissione di un nuovo contratto duplicando i dati "
                        "correnti."),
         QStringLiteral("Salva o aggiorna il contratto corrente."),
         QStringLiteral("Trova un contratto in archivio.")},
        [this] { cmdTrovaClick(); });
    bar->addSeparator();
    bar->add(QStringLiteral("cmdFile"), QStringLiteral("attach"),
             QStringLiteral("Allega file al contratto corrente."),
             [this] { editAttachments(AttachmentOwner::Contract); });
    bar->addSeparator();
    bar->add(QStringLiteral("cmdPrivacy"), QStringLiteral("preview"),
             QStringLiteral("Visualizza l'anteprima di stampa del fronte del contratto."),
             [this] { runDialog<TfrmAnteprima_Contratto_Noleggio_Bici>(m_context, this, shownCard()); });
    bar->add(QStringLiteral("cmdStampa"), QStringLiteral("print"),
             QStringLiteral("Stampa il contratto corrente."),
             [this] { runDialog<TfrmStampa_Contratto_Noleggio_Bici>(m_context, this, shownCard()); });
    bar->add(QStringLiteral("cmdStatoVeicolo"), QStringLiteral("conditions"),
             QStringLiteral("Stampa la scheda di verifica stato veicolo."),
             [this] { runDialog<TfrmStampa_Scheda_Danni_Bici>(m_context, this, shownCard()); });
    bar->addSeparator();
    addBrowseGroup(bar, {QStringLiteral("Visualizza il primo contratto in archivio."),
                         QStringLiteral("Visualizza il contratto precedente in archivio."),
                         QStringLiteral("Visualizza il contratto successivo in archivio."),
                         QStringLiteral("Visualizza l'ultimo contratto in archivio.")});
    bar->addSeparator();
    bar->add(QStringLiteral("cmdEsporta"), QStringLiteral("export"),
             QStringLiteral("Esporta i contratti in archivio in un file di Microsoft Excel."),
             [this] { runDialog<TfrmExpContratti_DOZ_Bici>(m_context, this); });
    bar->add(QStringLiteral("cmdDaRiconsegnare"), QStringLiteral("notreturned"),
             QStringLiteral("Visualizza il riepilogo dei veicoli non riconsegnati."), [this] {
                 TfrmBiciNonRiconsegnate window(m_context, this);
                 if (window.exec() == QDialog::Accepted)
                     showRecord(window.chosenPosition());
             });
    bar->add(QStringLiteral("cmdStatistiche"), QStringLiteral("stats"),
             QStringLiteral("Visualizza le statistiche della stagione: noleggi, incassi e veicoli."), [this] {
                 if (m_statisticsOpener)
                     m_statisticsOpener(this);
             });
    bar->add(
        QStringLiteral("cmdListino"), QStringLiteral("pricelist"), Texts::priceListHint(),
        [this] { runDialog<TfrmListino>(m_context, this); }, PriceListKey);
    addClosingCommands(bar, QStringLiteral("Visualizza la pagina della guida sensibile al contesto."),
                       [this] { cmdGuidaClick(); });
    return bar;
}

QWidget* TfrmContratti_Noleggio_Bici::buildHeader()
{
    QFrame* band = whiteGroup(QStringLiteral("shpDitta"));
    auto* grid = new QGridLayout(band);
    grid->setContentsMargins(12, 8, 12, 8);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(2);
    const RecordLayout& layout = TSchedaContratto();
    auto place = [&](const char* field, int row, int col, int span = 1) {
        const int i = layout.indexOf(QLatin1String(field));
        grid->addWidget(fieldLabel(layout.label(i)), row * 2, col, 1, span);
        grid->addWidget(m_edits[std::size_t(i)], row * 2 + 1, col, 1, span);
    };
    place("Ditta01", 0, 1);
    place("Data", 0, 2);
    place("Ditta02", 1, 1);
    place("Luogo", 1, 2);
    grid->setColumnStretch(1, 4);
    grid->setColumnStretch(2, 1);

    PictureButton* logo = PictureButton::create(QStringLiteral(":/toolbar/logo.svg"),
                                                QStringLiteral("btnLogo"), QSize(64, 64), {}, band);
    Status::hint(logo, m_panInfo, QStringLiteral("Carica il logo della ditta di noleggio."));
    connect(logo, &PictureButton::clicked, this, [this] { btnLogoClick(); });
    grid->addWidget(logo, 0, 0, 4, 1, Qt::AlignCenter);
    Status::clears(band, m_panInfo);
    return band;
}

QPushButton* TfrmContratti_Noleggio_Bici::fieldCommand(const QString& name, const QString& text,
                                                       const QString& hint, const QKeySequence& keys,
                                                       const std::function<void()>& action)
{
    QPushButton* button = Style::fieldButton(name, text);
    Status::hint(button, m_panInfo, hint);
    Status::setKeys(button, CommandBar::keyText(keys));
    connect(button, &QPushButton::clicked, this, action);
    connect(new QShortcut(keys, this), &QShortcut::activated, this, action);
    return button;
}

std::map<std::string, QWidget*> TfrmContratti_Noleggio_Bici::buildFieldCommands()
{
    // The buttons beside fields take no focus; the keyboard reaches each through its shortcut,
    // named at the end of its hint.
    std::map<std::string, QWidget*> extras;
    extras["Cliente"] =
        fieldCommand(QStringLiteral("btnCliente"), QStringLiteral("Richiama"),
                     QStringLiteral("Richiama i dati di un cliente che ha già noleggiato."),
                     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), [this] { btnClienteClick(); });
    extras["CodFisc"] =
        fieldCommand(QStringLiteral("btnCodFisc"), QStringLiteral("Verifica"),
                     QStringLiteral("Verifica il codice fiscale."),
                     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F), [this] { btnCodFiscClick(); });
    extras["BiciNum"] = fieldCommand(QStringLiteral("btnImporta"), QStringLiteral("Importa"),
                                     QStringLiteral("Importa i dati dalla flotta bici."),
                                     QKeySequence(Qt::CTRL | Qt::Key_I), [this] { btnImportaClick(); });
    extras["TotGiorni"] = fieldCommand(QStringLiteral("cmdCalcola"), QStringLiteral("Calcola"),
                                       QStringLiteral("Calcola il numero totale dei giorni di noleggio."),
                                       QKeySequence(Qt::CTRL | Qt::Key_G), [this] { cmdCalcolaClick(); });
    return extras;
}

void TfrmContratti_Noleggio_Bici::buildReturnedBox()
{
    m_chkRiconsegnato = new QCheckBox(TSchedaContratto().label(Contracts::ReturnedField));
    m_chkRiconsegnato->setObjectName(QStringLiteral("chkRiconsegnato"));
    m_chkRiconsegnato->setFocusPolicy(Qt::NoFocus);
    m_chkRiconsegnato->setStyleSheet(
        Style::sheet(QStringLiteral("QCheckBox { color: @Navy; font-weight: bold; }")));
    const QKeySequence returnedKeys(Qt::CTRL | Qt::SHIFT | Qt::Key_R);
    Status::hint(m_chkRiconsegnato, m_panInfo,
                 QStringLiteral("Spunta questa casella per annotare che il veicolo è stato riconsegnato."));
    Status::setKeys(m_chkRiconsegnato, CommandBar::keyText(returnedKeys));
    connect(new QShortcut(returnedKeys, this), &QShortcut::activated, m_chkRiconsegnato, &QCheckBox::toggle);
}

QWidget* TfrmContratti_Noleggio_Bici::buildBody()
{
    const RecordLayout& layout = TSchedaContratto();
    // Buttons that stand beside a field.
    const std::map<std::string, QWidget*> extras = buildFieldCommands();
    buildReturnedBox();

    auto* body = new QWidget;
    auto* columns = new QHBoxLayout(body);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(8);
    int groupNumber = 0;
    for (const Column& column : bodyColumns()) {
        auto* stack = new QVBoxLayout;
        stack->setSpacing(8);
        for (const Group& group : column) {
            QFrame* frame = whiteGroup(QStringLiteral("shpGruppo%1").arg(++groupNumber));
            Status::clears(frame, m_panInfo);
            auto* rows = new QVBoxLayout(frame);
            rows->setContentsMargins(10, 6, 10, 8);
            rows->setSpacing(3);
            auto* title = new QLabel(QString::fromUtf8(group.title));
            title->setStyleSheet(
                Style::sheet(QStringLiteral("color: @SteelBlue; font-weight: bold; font-size: 12px;"
                                            " border-bottom: 1px solid @Mist; padding-bottom: 2px;")));
            rows->addWidget(title);
            for (const auto& row : group.rows)
                rows->addLayout(fieldLine(row, layout, m_edits, extras));
            if (group.holdsReturned)
                rows->addWidget(m_chkRiconsegnato);
            rows->addStretch(1);
            stack->addWidget(frame, int(group.rows.size()));
        }
        columns->addLayout(stack, 1);
    }
    return body;
}

// ---- the card ------------------------------------------------------------------------------

bool TfrmContratti_Noleggio_Bici::returned() const
{
    return m_chkRiconsegnato->isChecked();
}

QStringList TfrmContratti_Noleggio_Bici::ownTexts() const
{
    return {returned() ? Contracts::returnedYes() : Contracts::returnedNo()};
}

void TfrmContratti_Noleggio_Bici::showOwnTexts(const QStringList& texts)
{
    // Any other stored value leaves the box as it was.
    const QString flag = texts.value(0);
    if (flag == Contracts::returnedYes())
        m_chkRiconsegnato->setChecked(true);
    else if (flag == Contracts::returnedNo())
        m_chkRiconsegnato->setChecked(false);
}

void TfrmContratti_Noleggio_Bici::readDefaults()
{
    const ContractDefaults::Values values = ContractDefaults::read(m_context.dataFolder());
    for (std::size_t i = 0; i < values.size(); ++i)
        edit(QLatin1String(ContractDefaults::Entries[i].field))->setText(values[i]);
}

void TfrmContratti_Noleggio_Bici::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        readDefaults();
        clearCard();
    }
    WorkWindow::showEvent(event);
}

bool TfrmContratti_Noleggio_Bici::beforeClose()
{
    ContractDefaults::Values values;
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = edit(QLatin1String(ContractDefaults::Entries[i].field))->text();
    if (!ContractDefaults::write(m_context.dataFolder(), values))
        m_context.messages().warning(
            this,
            QStringLiteral("Attenzione: non è stato possibile salvare i dati predefiniti dei contratti nel "
                           "file Rotaflux.ini." RF_BREAK_LF_CR
                           "Accertarsi di possedere i privilegi di scrittura nella cartella dei dati ") +
                QDir::toNativeSeparators(QDir(m_context.path(QString())).absolutePath()) + QLatin1Char('.'));
    return true;
}

void TfrmContratti_Noleggio_Bici::clearCard()
{
    const RecordLayout& layout = TSchedaContratto();
    // The eight company defaults are never emptied by the form.
    auto isKept = [](const QString& name) {
        for (const ContractDefaults::Entry& entry : ContractDefaults::Entries) {
            if (name == QLatin1String(entry.field))
                return true;
        }
        return false;
    };
    for (std::size_t i = 0; i < m_edits.size(); ++i) {
        if (!isKept(layout.name(int(i))))
            m_edits[i]->clear();
    }
    for (const char* field : AmountFields)
        edit(QLatin1String(field))->setText(QStringLiteral("0,00"));
    m_chkRiconsegnato->setChecked(false);
    detachCard();
    m_storedDays.reset(); // the next save is a new contract
    m_autoFilled.clear();
    m_listFilled.clear();
    edit(QStringLiteral("Cliente"))->setFocus();
}

void TfrmContratti_Noleggio_Bici::stampToday()
{
    const QDateTime now = m_context.clock().now();
    edit(QStringLiteral("Data"))->setText(formatDate(now.date()));
    edit(QStringLiteral("DataInizio"))->setText(formatDate(now.date()));
    edit(QStringLiteral("OraInizio"))->setText(now.time().toString(QStringLiteral("HH:mm")));
}

// New and Duplicate open the archive only to prove it can be reached; a failure is an error.
bool TfrmContratti_Noleggio_Bici::archiveReachable()
{
    ArchiveFile file(archive().archivePath(), Contracts::RecordSize);
    if (file.OpenArchive())
        return true;
    m_context.messages().error(this, Texts::archiveAccess(archive().archivePath(), Texts::Access::Read));
    return false;
}

void TfrmContratti_Noleggio_Bici::cmdNuovoClick()
{
    if (!archiveReachable())
        return;
    clearCard();
    stampToday();
    edit(QStringLiteral("Cliente"))->setFocus();
}

void TfrmContratti_Noleggio_Bici::cmdDuplicaClick()
{
    if (m_lblPosizione->text().trimmed().isEmpty()) {
        m_context.messages().warning(
            this,
            QStringLiteral("Attenzione: per duplicare un contratto bisogna prima visualizzare una scheda già "
                           "inserita in archivio."));
        return;
    }
    stampToday();
    for (const char* field : {"DataFine", "OraFine", "TotGiorni", "Difetti"})
        edit(QLatin1String(field))->clear();
    edit(QStringLiteral("Totale"))->setText(QStringLiteral("0,00"));
    edit(QStringLiteral("Cauzione"))->setText(QStringLiteral("0,00"));
    m_chkRiconsegnato->setChecked(false);
    detachCard();
    m_storedDays.reset(); // the next save is a new contract
    if (!archiveReachable())
        return;
    edit(QStringLiteral("Cliente"))->setFocus();
    m_context.messages().information(
        this,
        QStringLiteral("E' ora possibile apportare le proprie modifiche al contratto corrente." RF_BREAK_LF_CR
                       "Al termine premere Salva per inserire la scheda in archivio."));
}

void TfrmContratti_Noleggio_Bici::cmdSalvaClick()
{
    // Let the edit being typed in finish (amount normalisation) before reading.
    if (QWidget* focused = focusWidget())
        focused->clearFocus();

    const auto blank = [this](const char* field) {
        return edit(QLatin1String(field))->text().trimmed().isEmpty();
    };
    const QString date = edit(QStringLiteral("Data"))->text();
    const auto check = [this](const char* field, bool failed, const QString& message) {
        return Form::Check{failed, message, edit(QLatin1String(field))};
    };
    const std::vector<Form::Check> checks{
        check("Ditta01", blank("Ditta01"),
              QStringLiteral(
                  "Attenzione: per salvare la scheda è necessario indicare la denominazione della ditta di "
                  "noleggio.")),
        check(
            "Data", blank("Data"),
            QStringLiteral(
                "Attenzione: per salvare la scheda è necessario indicare la data di stipula del contratto.")),
        check("Data", !parseDate(date).isValid(),
              looksLikeDate(date)
                  ? QStringLiteral("Attenzione: la data indicata non esiste." RF_BREAK_LF_CR
                                   "Per poter salvare la scheda è "
                                   "necessario indicare una data valida nel formato gg/mm/anno.")
                  : QStringLiteral(
                        "Attenzione: la data indicata non è valida: le date si scrivono nella forma ") +
                        dateFormExample() +
                        QStringLiteral("." RF_BREAK_LF_CR
                                       "Per poter salvare la scheda è necessario indicare una data valida.")),
        check("Luogo", blank("Luogo"),
              QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il luogo di stipula "
                             "del contratto.")),
        check("Cliente", blank("Cliente"),
              QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il nome del cliente.")),
        check("BiciNum", blank("BiciNum"),
              QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il numero "
                             "identificativo del veicolo "
                             "noleggiato.")),
        check("Marca", blank("Marca"),
              QStringLiteral(
                  "Attenzione: per salvare la scheda è necessario indicare la marca e modello del veicolo "
                  "noleggiato.")),
    };
    if (Form::firstFailure(m_context, this, checks))
        return;
    if (!archive().save())
        return;
    const std::optional<ContractDays> days = shownDays();
    if (days && m_plannerBooker)
        m_plannerBooker(this, {*days, m_storedDays});
    m_storedDays = days;
}

std::optional<ContractDays> TfrmContratti_Noleggio_Bici::shownDays() const
{
    const auto text = [this](const char* field) { return edit(QLatin1String(field))->text().trimmed(); };
    ContractDays days{
        text("BiciNum"), parseDate(text("DataInizio")), parseDate(text("DataFine")), text("Cliente"), {}};
    if (days.vehicleNumber.isEmpty() || !days.start.isValid() || !days.end.isValid())
        return std::nullopt;
    // As a planner day holds it: at most 50 characters.
    days.text =
        (text("Recapito").isEmpty() ? days.customer : days.customer + QLatin1Char(' ') + text("Recapito"))
            .left(50)
            .trimmed();
    return days;
}

void TfrmContratti_Noleggio_Bici::cmdTrovaClick()
{
    TfrmTrovaContratti_DOZ_Bici search(m_context, this);
    if (search.exec() == QDialog::Accepted)
        showRecord(search.chosenPosition());
}

void TfrmContratti_Noleggio_Bici::btnImportaClick()
{
    if (!m_vehiclePicker)
        return;
    const std::optional<QStringList> vehicle = m_vehiclePicker(this);
    if (!vehicle)
        return;
    // The vehicle and its tariff; nothing else of the contract changes.
    const RecordLayout& card = TSchedaVeicolo();
    for (const char* field : Contracts::ImportedFields)
        edit(QLatin1String(field))->setText(vehicle->value(card.indexOf(QLatin1String(field))));
    m_autoFilled.clear();
}

bool TfrmContratti_Noleggio_Bici::takeVehicleByNumber()
{
    const QString typed = edit(QStringLiteral("BiciNum"))->text();
    const Contracts::NumberLookup found =
        Contracts::lookUpVehicle(m_context.path(QString::fromLatin1(Fleet::ArchiveName)), typed);
    if (found.match == Contracts::NumberLookup::Match::None) {
        // Most often a label read by the hand scanner that is not one of this fleet's; the code
        // stays in the field for the clerk to see and correct.
        m_context.messages().warning(this,
                                     QStringLiteral("Attenzione: il codice letto (%1) non è il numero di "
                                                    "un veicolo della flotta.")
                                         .arg(typed.trimmed()));
    }
    if (found.match != Contracts::NumberLookup::Match::One)
        return false; // on along the Enter chain
    // A field is filled when it is empty (an amount at 0,00) or still holds what the last filling
    // put there; what the clerk typed stays.
    const RecordLayout& card = TSchedaVeicolo();
    std::map<QString, QString> filled;
    for (const char* name : Contracts::ImportedFields) {
        const QString field = QLatin1String(name);
        if (field == QLatin1String("BiciNum"))
            continue;
        QLineEdit* e = edit(field);
        const bool amount = field == QLatin1String("Importo");
        const auto before = m_autoFilled.find(field);
        const bool free = e->text().trimmed().isEmpty() || (amount && amountCents(e->text()) == qint64(0)) ||
                          (before != m_autoFilled.end() && before->second == e->text());
        if (!free)
            continue;
        const QString text = found.texts.value(card.indexOf(field));
        e->setText(text);
        e->setModified(true); // changed by the user's Enter, as typing would mark it
        filled[field] = text;
    }
    m_autoFilled = std::move(filled);
    QLineEdit* start = edit(QStringLiteral("DataInizio"));
    // New has already dated the start today: the end is what is left to give.
    (parseDate(start->text()).isValid() ? edit(QStringLiteral("DataFine")) : start)
        ->setFocus(Qt::TabFocusReason);
    return true;
}

void TfrmContratti_Noleggio_Bici::cmdGuidaClick()
{
    TfrmGuida::showGuide(m_context, this, Guide::ContractsTitle, Guide::contractsParagraphs());
}

void TfrmContratti_Noleggio_Bici::cmdCalcolaClick()
{
    const DayCountResult result =
        Calcola(edit(QStringLiteral("DataInizio"))->text(), edit(QStringLiteral("DataFine"))->text());
    if (result.totGiorni) {
        edit(QStringLiteral("TotGiorni"))->setText(*result.totGiorni);
        // A tariff of the price list proposes the amounts; otherwise days x the unit amount.
        QLineEdit* total = edit(QStringLiteral("Totale"));
        if (!takeListPrice()) {
            if (const std::optional<QString> proposed =
                    proposedTotal(*result.totGiorni, edit(QStringLiteral("Importo"))->text(), total->text()))
                total->setText(*proposed);
        }
    }
    if (result.box == DayCountResult::Box::Warning)
        m_context.messages().warning(this, result.message);
    else if (result.box == DayCountResult::Box::Plain)
        m_context.messages().plain(this, result.message);
    if (result.focus == DayCountResult::Focus::Start)
        edit(QStringLiteral("DataInizio"))->setFocus();
    else if (result.focus == DayCountResult::Focus::End)
        edit(QStringLiteral("DataFine"))->setFocus();
}

bool TfrmContratti_Noleggio_Bici::takeListPrice()
{
    const auto text = [this](const char* field) { return edit(QLatin1String(field))->text(); };
    if (text("Tariffa").trimmed().isEmpty())
        return false;
    const std::optional<PriceList::Proposal> proposal =
        PriceList::propose(m_context.dataFolder(), text("Tariffa"), parseDate(text("DataInizio")),
                           parseDate(text("DataFine")), text("OraInizio"), text("OraFine"));
    if (!proposal)
        return false;
    offerListAmount(QStringLiteral("Totale"), proposal->total, QStringLiteral("Il totale indicato"));
    // A tariff without a deposit leaves the deposit field as it is.
    if (proposal->deposit > 0)
        offerListAmount(QStringLiteral("Cauzione"), proposal->deposit,
                        QStringLiteral("La cauzione indicata"));
    m_panInfo->setText(proposal->explanation);
    return true;
}

void TfrmContratti_Noleggio_Bici::offerListAmount(const QString& field, qint64 cents, const QString& what)
{
    QLineEdit* e = edit(field);
    const QString proposed = PriceList::amountText(cents);
    const std::optional<qint64> current = amountCents(e->text());
    const auto before = m_listFilled.find(field);
    // Free: empty, 0,00, the same amount, or still what the list put there last time.
    const bool free = current == qint64(0) || current == cents ||
                      (before != m_listFilled.end() && before->second == e->text());
    if (!free) {
        const QString typed = current ? euroText(*current) : e->text().trimmed();
        if (!m_context.messages().confirmNo(
                this, what + QStringLiteral(" è ") + typed + QStringLiteral(", il listino propone ") +
                          euroText(cents) +
                          QStringLiteral("." RF_BREAK_LF_CR "Usare l'importo del listino?")))
            return;
    }
    if (e->text() != proposed) {
        e->setText(proposed);
        e->setModified(true); // changed by the user's Calcola, as typing would mark it
    }
    m_listFilled[field] = proposed;
}

void TfrmContratti_Noleggio_Bici::openDatePicker(const QString& field, const QString& firstKey)
{
    const auto date = std::find_if(std::begin(DateFields), std::end(DateFields),
                                   [&field](const DateField& d) { return field == QLatin1String(d.field); });
    if (date == std::end(DateFields))
        return;
    TfrmCalendario picker(m_context, this);
    picker.lblMemory = date->mode;
    picker.startTyping(firstKey);
    if (picker.exec() == QDialog::Accepted)
        edit(field)->setText(picker.importedDate());
}

void TfrmContratti_Noleggio_Bici::btnLogoClick()
{
    runDialog<TfrmLogo>(m_context, this);
}

void TfrmContratti_Noleggio_Bici::btnClienteClick()
{
    Contracts::CustomerRegister customers;
    ScanResult read = ScanResult::Failed;
    {
        LongWork work(this, QStringLiteral("Ricerca clienti in corso. Attendere..."));
        read = customers.read(archive().archivePath(), work.progress());
    }
    if (read == ScanResult::Cancelled)
        return;
    if (read == ScanResult::Failed) {
        m_context.messages().error(this, Texts::archiveAccess(archive().archivePath(), Texts::Access::Read));
        return;
    }
    TfrmClienti dialog(m_context, this, customers);
    if (dialog.exec() == QDialog::Accepted && dialog.chosen()) {
        takeCustomer(*dialog.chosen());
        // The customer is in: next comes the vehicle.
        edit(QStringLiteral("BiciNum"))->setFocus(Qt::TabFocusReason);
    }
}

void TfrmContratti_Noleggio_Bici::takeCustomer(const Contracts::Customer& customer)
{
    for (std::size_t i = 0; i < Contracts::CustomerFields.size(); ++i) {
        QLineEdit* e = edit(QLatin1String(Contracts::CustomerFields[i]));
        if (e->text() == customer.fields[i])
            continue;
        e->setText(customer.fields[i]);
        e->setModified(true); // changed by the user, as typing would mark it
    }
}

void TfrmContratti_Noleggio_Bici::btnCodFiscClick()
{
    const QString code = edit(QStringLiteral("CodFisc"))->text().trimmed();
    static const QRegularExpression digitsOnly(QStringLiteral("^[0-9]+$"));
    if (digitsOnly.match(code).hasMatch()) {
        TfrmPartitaIva check(m_context, this);
        check.setNumber(code);
        check.exec();
    } else {
        TfrmCodFisc check(m_context, this);
        check.setCode(code);
        check.exec();
    }
}

} // namespace rf
