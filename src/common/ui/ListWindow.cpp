#include "ListWindow.h"

#include "common/ui/Context.h"
#include "common/ui/Form.h"
#include "common/ui/LongWork.h"
#include "common/ui/PictureButton.h"
#include "common/ui/PrintChoiceDialog.h"
#include "reports/ListTemplate.h"
#include "storage/Cp1252.h"
#include "storage/TextSearch.h"

#include <QFontMetrics>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QStackedLayout>
#include <QVBoxLayout>

#include <algorithm>

namespace rf {

namespace {
constexpr int ClientWidth = 862;
constexpr int ClientHeight = 560;
const QString EmptyListMessage =
    QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce.");
} // namespace

// ---- the lines -------------------------------------------------------------------------------

void LineListModel::setEntries(std::vector<ListEntry> entries, bool sorted, Inks inks)
{
    if (sorted)
        entries = LineSorter::sorted(std::move(entries));
    beginResetModel();
    m_entries = std::move(entries);
    m_inks = std::move(inks);
    m_longest = 0;
    for (const ListEntry& entry : m_entries)
        m_longest = std::max(m_longest, int(entry.line.size()));
    endResetModel();
}

bool LineListModel::inked(int row) const
{
    return row >= 0 && row < int(m_entries.size()) && m_inks.contains(m_entries[std::size_t(row)].position);
}

QStringList LineListModel::lines() const
{
    QStringList out;
    out.reserve(qsizetype(m_entries.size()));
    for (const ListEntry& entry : m_entries)
        out.append(entry.text());
    return out;
}

int LineListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

QVariant LineListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_entries.size()))
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_entries[std::size_t(index.row())].text();
    case Qt::FontRole:
        return Style::pointFont(Style::Family::CourierNew, 12);
    case Qt::ForegroundRole: {
        return QColor::fromRgba(m_inks.value(m_entries[std::size_t(index.row())].position, Style::Black));
    }
    case Qt::SizeHintRole: {
        static const int pitch =
            QFontMetrics(Style::pointFont(Style::Family::CourierNew, 12)).horizontalAdvance(QLatin1Char('M'));
        return QSize(std::max(m_itemWidth, m_longest * pitch + 8), 20);
    }
    default:
        return {};
    }
}

int findNextLine(const QStringList& lines, int selected, const QString& key, const QString& previousKey)
{
    const int count = int(lines.size());
    if (key.isEmpty() || count == 0)
        return -1;
    const auto holds = [&](int i) { return FieldFilters::occursIn(lines.at(i), key); };
    if (key != previousKey) {
        for (int i = 0; i < count; ++i) {
            if (holds(i))
                return i;
        }
        return -1;
    }
    const int start = std::clamp(selected, 0, count - 1);
    for (int step = 1; step <= count; ++step) {
        const int i = (start + step) % count;
        if (holds(i))
            return i;
    }
    return -1;
}

QListView* makeLineList(LineListModel* model)
{
    auto* list = new QListView;
    list->setObjectName(QStringLiteral("lstRecords"));
    list->setModel(model);
    list->setUniformItemSizes(true);
    list->setTextElideMode(Qt::ElideNone);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    list->setStyleSheet(QStringLiteral("QListView { background: white; }"));
    enterOpensLine(list);
    return list;
}

void enterOpensLine(QAbstractItemView* list)
{
    Form::onEvent(list, [list](QEvent* e) {
        if (e->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(e);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
            (key->modifiers() & ~Qt::KeypadModifier))
            return false;
        const QModelIndex line = list->currentIndex();
        if (!key->isAutoRepeat() && line.isValid() && list->selectionModel()->isSelected(line))
            emit list->doubleClicked(line);
        return true; // never on to the window, where it would press a button
    });
}

QWidget* explanationPanel(const QString& picture, const QString& text)
{
    auto* panel = new QFrame;
    panel->setObjectName(QStringLiteral("panSpiegazione"));
    panel->setStyleSheet(
        Style::sheet(QStringLiteral("QFrame#panSpiegazione { background: white; border: 1px solid"
                                    " @PanelBorder; border-radius: 6px; }")));
    auto* icon = SvgPicture::create(picture, QStringLiteral("imgSpiegazione"), QSize(40, 40));
    QLabel* label = Style::caption(text, 12);
    label->setWordWrap(true);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(12, 8, 12, 8);
    row->setSpacing(12);
    row->addWidget(icon, 0, Qt::AlignVCenter);
    row->addWidget(label, 1);
    return panel;
}

// ---- the window ------------------------------------------------------------------------------

ListWindow::ListWindow(Context& context, QWidget* owner, const Look& look, ListSource source)
    : FixedDialog(context, owner, look.objectName, look.caption, QSize(ClientWidth, ClientHeight)),
      m_source(std::move(source)), m_printTitle(look.printTitle), m_countFormat(look.countFormat)
{
    m_panContainer = buildResults(look);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 14);
    m_panels = new QStackedLayout;
    m_panels->addWidget(m_panContainer);
    layout->addLayout(m_panels);
}

QWidget* ListWindow::buildResults(const Look& look)
{
    auto* panel = new QWidget(this); // the stacked layout shows it at once: never without a parent
    panel->setObjectName(QStringLiteral("panContainer"));

    m_txtTrova = new QLineEdit;
    m_txtTrova->setObjectName(QStringLiteral("txtTrova"));
    m_txtTrova->setFont(Style::font(Style::Family::Verdana, 12, true));
    Form::highlightByBackground(m_txtTrova);
    QPushButton* btnTrova =
        Style::button(QStringLiteral("btnTrova"), QStringLiteral("Trova"), QSize(100, 28));
    Form::enterMovesTo(m_txtTrova, btnTrova); // where Enter finds

    connect(btnTrova, &QPushButton::clicked, this, &ListWindow::btnTrovaClick);

    auto* findRow = new QHBoxLayout;
    findRow->setSpacing(8);
    findRow->addWidget(
        SvgPicture::create(QStringLiteral(":/toolbar/find.svg"), QStringLiteral("imgLente"), QSize(28, 28)));
    findRow->addWidget(m_txtTrova, 1);
    findRow->addWidget(btnTrova);

    m_lstRecords = makeLineList(&m_model);
    connect(m_lstRecords, &QListView::doubleClicked, this,
            [this](const QModelIndex& index) { choose(index.row()); });

    auto* hint = new QLabel(look.hint, panel); // a parent before setVisible, or it flashes as a window
    hint->setObjectName(look.hintName.isEmpty() ? QStringLiteral("lblIstruzioni") : look.hintName);
    hint->setFont(Style::font(Style::Family::Verdana, 12, true));
    hint->setStyleSheet(Style::sheet(QStringLiteral("color: @Crimson; background: transparent;")));
    if (!look.countFormat.isEmpty()) {
        m_lblTrovate = new QLabel(look.countFormat.arg(0));
        m_lblTrovate->setObjectName(QStringLiteral("lblTrovate"));
        m_lblTrovate->setFont(Style::font(Style::Family::Verdana, 12, true));
        m_lblTrovate->setStyleSheet(
            Style::sheet(QStringLiteral("color: @DarkCyan; background: transparent;")));
    }
    auto* labels = new QVBoxLayout;
    m_labels = labels;
    labels->setSpacing(2);
    labels->addWidget(hint);
    hint->setVisible(!look.hint.isEmpty());
    if (m_lblTrovate)
        labels->addWidget(m_lblTrovate);

    QPushButton* btnStampa =
        Style::button(QStringLiteral("btnStampa"), QStringLiteral("Stampa"), QSize(110, 32));
    QPushButton* btnChiudi =
        Style::button(QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), QSize(110, 32));
    connect(btnStampa, &QPushButton::clicked, this, &ListWindow::btnStampaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addLayout(labels, 1);
    bottom->addWidget(btnStampa);
    bottom->addWidget(btnChiudi);

    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(explanationPanel(
        QStringLiteral(":/toolbar/find.svg"),
        QStringLiteral(
            "Per trovare una riga dell'elenco digitare una o più parole consecutive della riga e premere "
            "Trova; premere di nuovo Trova per passare alla riga successiva che contiene le stesse "
            "parole.")));
    layout->addLayout(findRow);
    layout->addWidget(m_lstRecords, 1);
    layout->addLayout(bottom);
    return panel;
}

void ListWindow::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        m_ownKey.clear();
        m_txtTrova->clear();
    }
    FixedDialog::showEvent(event);
}

void ListWindow::done(int result)
{
    m_model.clear();
    FixedDialog::done(result);
}

ScanResult ListWindow::fill(const std::function<bool(const RecordView&)>& keep,
                            const std::function<QRgb(const RecordView&)>& ink)
{
    // The lines are put in order as they are read, on the second core.
    LineSorter sorter;
    LineListModel::Inks inks;
    LongWork work(isVisible() ? this : parentWidget(),
                  QStringLiteral("Ricerca schede in corso. Attendere..."));
    const ScanResult result = scanArchive(
        m_context.path(m_source.archive), *m_source.layout,
        [&](const RecordView& record) {
            if (!keep(record))
                return;
            sorter.add({m_source.line(record), record.position()});
            if (const QRgb colour = ink ? ink(record) : 0)
                inks.insert(record.position(), colour);
        },
        work.progress());
    if (result != ScanResult::Cancelled)
        m_model.setEntries(sorter.finish(), false, std::move(inks));
    if (m_lblTrovate)
        m_lblTrovate->setText(m_countFormat.arg(m_model.rowCount()));
    return result;
}

void ListWindow::addBottomLabel(QLabel* label)
{
    label->setFont(Style::font(Style::Family::Verdana, 12, true));
    label->setStyleSheet(Style::sheet(QStringLiteral("color: @Ink; background: transparent;")));
    m_labels->addWidget(label);
}

void ListWindow::setLines(const QStringList& lines)
{
    std::vector<ListEntry> entries;
    for (const QString& line : lines)
        entries.push_back({Cp1252::encode(line), 0});
    m_model.setEntries(std::move(entries), false);
}

void ListWindow::showResults()
{
    m_panels->setCurrentWidget(m_panContainer);
    m_txtTrova->clear();
    m_txtTrova->setFocus(Qt::OtherFocusReason);
}

void ListWindow::btnTrovaClick()
{
    if (m_model.rowCount() == 0) {
        m_context.messages().plain(this, EmptyListMessage);
        return;
    }
    if (!m_lstRecords->currentIndex().isValid())
        m_lstRecords->setCurrentIndex(m_model.index(0));
    const QString key = lowerAtoZ(m_txtTrova->text());
    const int found = findNextLine(m_model.lines(), m_lstRecords->currentIndex().row(), key, *m_previousKey);
    if (found >= 0) {
        m_lstRecords->setCurrentIndex(m_model.index(found));
        m_lstRecords->scrollTo(m_model.index(found));
    }
    *m_previousKey = key;
}

void ListWindow::btnStampaClick()
{
    QStringList lines = m_model.lines();
    if (!lines.isEmpty() && !m_printNote.isEmpty())
        lines << QString() << m_printNote;
    Reports::Report list = Reports::listTemplate();
    Reports::fillList(list, m_printTitle, lines);
    outputReport(m_context, this, list, Output::Print, {}); // a failed print shows nothing of its own
}

void ListWindow::choose(int row)
{
    if (row < 0 || row >= m_model.rowCount() || !m_source.layout)
        return;
    const ListEntry entry = m_model.entries()[std::size_t(row)];
    m_chosen = locateRecord(m_context.path(m_source.archive), *m_source.layout, entry.position, entry.line,
                            m_source.line);
    if (m_chosen > 0)
        accept();
    else
        reject(); // the record is gone or the archive unreadable: the window just closes
}

} // namespace rf
