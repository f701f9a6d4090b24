#include "TfrmListino.h"

#include "common/ui/Context.h"
#include "common/ui/Form.h"
#include "storage/Amounts.h"
#include "storage/MessageBreaks.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

namespace rf {

namespace {

constexpr int ClientWidth = 860;
constexpr int ClientHeight = 560;

enum TariffColumn { Name, Hours4, Day, ExtraDay, Weekend, Week, Deposit, TariffColumns };
enum SeasonColumn { From, To, Percent, SeasonName, SeasonColumns };

// The amount cells: digits and a comma while typing, two decimals once typed.
class AmountDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        auto* editor = new QLineEdit(parent);
        editor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        editor->setMaxLength(10);
        Form::filterKeys(editor, Form::Keys::Amount);
        return editor;
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        model->setData(index, normaliseAmount(static_cast<QLineEdit*>(editor)->text()));
    }
};

QTableWidgetItem* cell(const QString& text, bool amount)
{
    auto* item = new QTableWidgetItem(text);
    if (amount)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

QString cellText(const QTableWidget* table, int row, int column)
{
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->text().trimmed() : QString();
}

QString percentText(int percent)
{
    return (percent < 0 ? QString() : QStringLiteral("+")) + QString::number(percent);
}

} // namespace

TfrmListino::TfrmListino(Context& context, QWidget* owner)
    : FixedDialog(context, owner, QStringLiteral("frmListino"), QStringLiteral(" Listino prezzi"),
                  QSize(ClientWidth, ClientHeight))
{
    QWidget* tables = buildTables();
    buildButtons();
    layOut(tables);
    const std::optional<PriceList::List> list = PriceList::load(m_context.dataFolder());
    m_readable = list.has_value();
    m_stored = list;
    showList(list.value_or(PriceList::List()));
    m_grdTariffe->setFocus();
}

QTableWidget* TfrmListino::makeTable(const QString& name, const QStringList& headers)
{
    auto* table = new QTableWidget(0, int(headers.size()), this);
    table->setObjectName(name);
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->setVisible(false);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setSelectionBehavior(QAbstractItemView::SelectItems);
    table->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                           QAbstractItemView::EditKeyPressed);
    table->setTabKeyNavigation(false); // Tab goes on to the next control, the arrows move in the table
    table->setFont(Style::font(Style::Family::Verdana, 12));
    table->horizontalHeader()->setFont(Style::font(Style::Family::Verdana, 11, true));
    table->setStyleSheet(Style::sheet(
        QStringLiteral("QTableWidget { background: white; gridline-color: @Mist; }"
                       "QTableWidget:focus { border: 2px solid @FocusRing; }"
                       "QTableWidget::item:selected { background: @Mist; color: @Ink; }"
                       "QTableWidget::item:selected:focus { background: @FocusYellow; color: @Ink; }")));
    Form::onEvent(table, [this, table](QEvent* e) {
        if (e->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(e);
        if (key->key() == Qt::Key_Insert && key->modifiers() == Qt::NoModifier) {
            addLine(table);
            return true;
        }
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::ControlModifier) {
            removeLine(table);
            return true;
        }
        return false;
    });
    return table;
}

QWidget* TfrmListino::buildTables()
{
    auto* tables = new QWidget(this);
    auto* column = new QVBoxLayout(tables);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);

    m_grdTariffe =
        makeTable(QStringLiteral("grdTariffe"),
                  {QStringLiteral("Tariffa"), QStringLiteral("Fino a 4 ore"), QStringLiteral("1 giorno"),
                   QStringLiteral("Giorno in più"), QStringLiteral("Weekend"), QStringLiteral("Settimana"),
                   QStringLiteral("Cauzione")});
    auto* amounts = new AmountDelegate(m_grdTariffe);
    for (int c = Hours4; c < TariffColumns; ++c) {
        m_grdTariffe->setItemDelegateForColumn(c, amounts);
        m_grdTariffe->setColumnWidth(c, 100);
    }
    m_grdTariffe->horizontalHeader()->setSectionResizeMode(Name, QHeaderView::Stretch);

    m_grdStagioni =
        makeTable(QStringLiteral("grdStagioni"), {QStringLiteral("Dal (gg/mm)"), QStringLiteral("Al (gg/mm)"),
                                                  QStringLiteral("Percentuale"), QStringLiteral("Stagione")});
    for (int c = From; c < SeasonName; ++c)
        m_grdStagioni->setColumnWidth(c, 130);
    m_grdStagioni->horizontalHeader()->setSectionResizeMode(SeasonName, QHeaderView::Stretch);

    const auto title = [tables](const QString& text) {
        QLabel* label = Style::caption(text, 13, tables);
        label->setStyleSheet(Style::sheet(QStringLiteral("color: @Navy; background: transparent;")));
        return label;
    };
    column->addWidget(title(QStringLiteral("Tariffe")));
    column->addWidget(m_grdTariffe, 3);
    column->addSpacing(8);
    column->addWidget(title(QStringLiteral("Stagioni")));
    column->addWidget(m_grdStagioni, 2);
    return tables;
}

void TfrmListino::buildButtons()
{
    m_btnSalva = Style::button(QStringLiteral("btnSalva"), QStringLiteral("Salva"), QSize(110, 32), this);
    m_btnChiudi = Style::button(QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), QSize(110, 32), this);
    connect(m_btnSalva, &QPushButton::clicked, this, &TfrmListino::btnSalvaClick);
    connect(m_btnChiudi, &QPushButton::clicked, this, &TfrmListino::reject);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), this), &QShortcut::activated, this,
            &TfrmListino::btnSalvaClick);
}

void TfrmListino::layOut(QWidget* tables)
{
    auto* help = new QLabel(
        QStringLiteral(
            "Ins aggiunge una riga alla tabella, Ctrl+Canc elimina la riga corrente; scrivere in una "
            "cella per modificarla, Invio per confermare. Un prezzo di 0,00 non è previsto dalla "
            "tariffa; il giorno in più a 0,00 costa quanto il primo. Ctrl+S salva."),
        this);
    help->setObjectName(QStringLiteral("lblAiuto"));
    help->setWordWrap(true);
    help->setFont(Style::font(Style::Family::Verdana, 11));
    help->setStyleSheet(Style::sheet(QStringLiteral("color: @Navy; background: transparent;")));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 12, 14, 12);
    layout->setSpacing(8);
    layout->addWidget(tables, 1);
    layout->addWidget(help);
    layout->addLayout(buttonRow({m_btnSalva, m_btnChiudi}));
}

void TfrmListino::showList(const PriceList::List& list)
{
    m_grdTariffe->setRowCount(0);
    for (const PriceList::Tariff& tariff : list.tariffs) {
        const int row = m_grdTariffe->rowCount();
        m_grdTariffe->insertRow(row);
        m_grdTariffe->setItem(row, Name, cell(tariff.name, false));
        const qint64 prices[] = {tariff.hours4,  tariff.day,  tariff.extraDay,
                                 tariff.weekend, tariff.week, tariff.deposit};
        for (int c = Hours4; c < TariffColumns; ++c)
            m_grdTariffe->setItem(row, c, cell(PriceList::amountText(prices[c - Hours4]), true));
    }
    m_grdStagioni->setRowCount(0);
    for (const PriceList::Season& season : list.seasons) {
        const int row = m_grdStagioni->rowCount();
        m_grdStagioni->insertRow(row);
        m_grdStagioni->setItem(row, From,
                               cell(PriceList::dayMonthText(season.fromDay, season.fromMonth), false));
        m_grdStagioni->setItem(row, To, cell(PriceList::dayMonthText(season.toDay, season.toMonth), false));
        m_grdStagioni->setItem(row, Percent, cell(percentText(season.percent), true));
        m_grdStagioni->setItem(row, SeasonName, cell(season.name, false));
    }
    for (QTableWidget* table : {m_grdTariffe, m_grdStagioni}) {
        if (table->rowCount() > 0)
            table->setCurrentCell(0, 0);
    }
    m_savedTexts = tableTexts();
}

void TfrmListino::addLine(QTableWidget* table)
{
    const int row = table->rowCount();
    table->insertRow(row);
    const bool tariffs = table == m_grdTariffe;
    for (int c = 0; c < table->columnCount(); ++c) {
        const bool amount = tariffs && c != Name;
        table->setItem(row, c, cell(amount ? QStringLiteral("0,00") : QString(), amount || c == Percent));
    }
    if (!tariffs)
        table->item(row, Percent)->setText(QStringLiteral("+0"));
    table->setFocus();
    table->setCurrentCell(row, 0);
}

void TfrmListino::removeLine(QTableWidget* table)
{
    const int row = table->currentRow();
    if (row < 0)
        return;
    table->removeRow(row);
    if (table->rowCount() > 0)
        table->setCurrentCell(std::min(row, table->rowCount() - 1), table->currentColumn());
}

QStringList TfrmListino::tableTexts() const
{
    QStringList texts;
    for (const QTableWidget* table : {m_grdTariffe, m_grdStagioni}) {
        texts << QString::number(table->rowCount());
        for (int r = 0; r < table->rowCount(); ++r) {
            for (int c = 0; c < table->columnCount(); ++c)
                texts << cellText(table, r, c);
        }
    }
    return texts;
}

bool TfrmListino::isEdited() const
{
    return tableTexts() != m_savedTexts;
}

std::optional<PriceList::List> TfrmListino::collect()
{
    const auto refuse = [this](QTableWidget* table, int row, int column, const QString& message) {
        table->setFocus();
        table->setCurrentCell(row, column);
        m_context.messages().warning(this, message);
        return std::nullopt;
    };
    PriceList::List list;
    for (int r = 0; r < m_grdTariffe->rowCount(); ++r) {
        PriceList::Tariff tariff;
        tariff.name = cellText(m_grdTariffe, r, Name);
        if (tariff.name.isEmpty())
            return refuse(
                m_grdTariffe, r, Name,
                QStringLiteral("Attenzione: indicare il nome della tariffa alla riga %1.").arg(r + 1));
        if (list.find(tariff.name))
            return refuse(m_grdTariffe, r, Name,
                          QStringLiteral("Attenzione: la tariffa %1 compare più di una volta nel listino.")
                              .arg(tariff.name));
        qint64* prices[] = {&tariff.hours4,  &tariff.day,  &tariff.extraDay,
                            &tariff.weekend, &tariff.week, &tariff.deposit};
        for (int c = Hours4; c < TariffColumns; ++c)
            *prices[c - Hours4] = std::max<qint64>(0, amountCents(cellText(m_grdTariffe, r, c)).value_or(0));
        list.tariffs.push_back(tariff);
    }
    for (int r = 0; r < m_grdStagioni->rowCount(); ++r) {
        int day = 0, month = 0;
        for (const int c : {From, To}) {
            if (!PriceList::parseDayMonth(cellText(m_grdStagioni, r, c), day, month))
                return refuse(
                    m_grdStagioni, r, c,
                    QStringLiteral("Attenzione: le date della stagione alla riga %1 si scrivono nella "
                                   "forma gg/mm, ad esempio 15/06.")
                        .arg(r + 1));
        }
        const std::optional<PriceList::Season> season = PriceList::parseSeason(
            cellText(m_grdStagioni, r, From) + QLatin1Char('-') + cellText(m_grdStagioni, r, To) +
            QLatin1Char(';') + cellText(m_grdStagioni, r, Percent) + QLatin1Char(';') +
            cellText(m_grdStagioni, r, SeasonName));
        if (!season)
            return refuse(m_grdStagioni, r, Percent,
                          QStringLiteral("Attenzione: la percentuale della stagione alla riga %1 è un numero "
                                         "intero, ad esempio +20 o -10.")
                              .arg(r + 1));
        list.seasons.push_back(*season);
    }
    return list;
}

void TfrmListino::btnSalvaClick()
{
    // An edit still open in a cell is taken as Enter would take it.
    if (QWidget* focused = focusWidget())
        focused->clearFocus();
    const std::optional<PriceList::List> list = collect();
    if (!list)
        return;
    PriceList::SaveResult saved = m_readable ? PriceList::save(m_context.dataFolder(), *list, m_stored)
                                             : PriceList::SaveResult::Unreadable;
    if (saved == PriceList::SaveResult::ChangedMeanwhile) {
        if (!m_context.messages().confirmNo(
                this, QStringLiteral("Attenzione: dopo l'apertura di questa finestra il listino è stato "
                                     "modificato da un'altra postazione." RF_BREAK_LF_CR
                                     "Salvare comunque questo listino al posto di quello dell'altra "
                                     "postazione?")))
            return;
        saved = PriceList::save(m_context.dataFolder(), *list);
    }
    if (saved == PriceList::SaveResult::Saved) {
        m_stored = list;
        showList(*list);
        m_grdTariffe->setFocus();
        return;
    }
    m_context.messages().warning(
        this,
        saved == PriceList::SaveResult::Unreadable
            ? QStringLiteral("Attenzione: il file Listino.ini non può essere letto, quindi il listino non "
                             "viene salvato per non perdere quello che contiene.")
            : QStringLiteral("Attenzione: non è stato possibile salvare il listino nel file "
                             "Listino.ini." RF_BREAK_LF_CR
                             "Accertarsi di possedere i privilegi di scrittura nella cartella dei dati."));
}

void TfrmListino::reject()
{
    if (isEdited() &&
        !m_context.messages().confirmNo(
            this, QStringLiteral("Le modifiche al listino non sono state salvate. Uscire senza salvarle?")))
        return;
    QDialog::reject();
}

void TfrmListino::showEvent(QShowEvent* event)
{
    FixedDialog::showEvent(event);
    if (m_readable || m_toldUnreadable)
        return;
    m_toldUnreadable = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_context.messages().warning(
                this,
                QStringLiteral("Attenzione: non è stato possibile leggere il file Listino.ini nella "
                               "cartella dei dati." RF_BREAK_LF_CR
                               "Il listino non potrà essere salvato finché il file non sarà leggibile."));
        },
        Qt::QueuedConnection);
}

} // namespace rf
