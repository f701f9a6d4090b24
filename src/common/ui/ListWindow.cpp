#include "ListWindow.h"

#include "common/ui/Context.h"
#include "common/ui/Form.h"
#include "common/ui/LongWork.h"
#include "common/ui/PictureButton.h"
#include "common/ui/PrintChoiceDialog.h"
#include "reports/ListTemplate.h"
#include "storage/Cp1252.h"
#include "storage/TextSearch.h"

#include <QFileInfo>
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
#include <array>
#include <cstdint>
#include <cstring>
#include <system_error>
#include <thread>

namespace rf {

namespace {
constexpr int ClientWidth = 862;
constexpr int ClientHeight = 560;
const QString EmptyListMessage =
    QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce.");
} // namespace

// ---- the lines -------------------------------------------------------------------------------

namespace {

using FoldTable = std::array<unsigned char, 256>;

// Windows-1252 bytes with their capital letters made small: the lines' order letter case aside.
const FoldTable& caseFold()
{
    static const FoldTable table = [] {
        FoldTable folded{};
        for (int b = 0; b < 256; ++b)
            folded[std::size_t(b)] = (unsigned char)b;
        for (int b = 'A'; b <= 'Z'; ++b)
            folded[std::size_t(b)] = (unsigned char)(b + 32);
        for (int b = 0xC0; b <= 0xDE; ++b) {
            if (b != 0xD7)
                folded[std::size_t(b)] = (unsigned char)(b + 32);
        }
        folded[0x8A] = 0x9A; // Š
        folded[0x8C] = 0x9C; // Œ
        folded[0x8E] = 0x9E; // Ž
        folded[0x9F] = 0xFF; // Ÿ
        return folded;
    }();
    return table;
}

// Windows-1252 bytes as an Italian reader orders them: letter case aside, and every accented
// letter beside its plain one ("àlberto" among the a, "È1" among the e).
const FoldTable& plainFold()
{
    static const FoldTable table = [] {
        FoldTable folded = caseFold();
        const auto plain = [&folded](const char* letters, char to) {
            for (const char* c = letters; *c; ++c)
                folded[std::size_t((unsigned char)*c)] = (unsigned char)to;
        };
        // The Windows-1252 codes of the accented letters, capital and small, of each plain letter.
        plain("\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xE0\xE1\xE2\xE3\xE4\xE5\xE6", 'a');
        plain("\xC7\xE7", 'c');
        plain("\xD0\xF0", 'd');
        plain("\xC8\xC9\xCA\xCB\xE8\xE9\xEA\xEB", 'e');
        plain("\xCC\xCD\xCE\xCF\xEC\xED\xEE\xEF", 'i');
        plain("\xD1\xF1", 'n');
        plain("\x8C\x9C\xD2\xD3\xD4\xD5\xD6\xD8\xF2\xF3\xF4\xF5\xF6\xF8", 'o');
        plain("\x8A\x9A\xDF", 's');
        plain("\xDE\xFE", 't');
        plain("\xD9\xDA\xDB\xDC\xF9\xFA\xFB\xFC", 'u');
        plain("\x9F\xDD\xFD\xFF", 'y');
        plain("\x8E\x9E", 'z');
        folded[0xA0] = ' '; // a non-breaking blank is a blank
        return folded;
    }();
    return table;
}

// Compares two lines folded, from byte from on (the bytes before it are known to fold alike).
int compareFolded(const FoldTable& fold, const QByteArray& a, const QByteArray& b, qsizetype from = 0)
{
    const qsizetype n = std::min(a.size(), b.size());
    const auto* x = reinterpret_cast<const unsigned char*>(a.constData());
    const auto* y = reinterpret_cast<const unsigned char*>(b.constData());
    for (qsizetype i = from; i < n; ++i) {
        const unsigned char fx = fold[x[i]];
        const unsigned char fy = fold[y[i]];
        if (fx != fy)
            return fx < fy ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// The start of a line, folded, held in the sort array itself: most comparisons are settled there
// without reaching for the lines scattered in memory.
struct SortKey {
    std::array<unsigned char, 48> start; // a customer's or a vehicle's columns, with the next one begun
    std::uint32_t index;
};

SortKey sortKey(const QByteArray& line, std::uint32_t index)
{
    const FoldTable& fold = plainFold();
    SortKey key{{}, index};
    const qsizetype n = std::min<qsizetype>(line.size(), qsizetype(key.start.size()));
    for (qsizetype i = 0; i < n; ++i)
        key.start[std::size_t(i)] = fold[(unsigned char)line.at(i)];
    return key;
}

} // namespace

void LineListModel::setEntries(std::vector<ListEntry> entries, bool sorted)
{
    if (sorted) {
        std::vector<SortKey> order;
        order.reserve(entries.size());
        for (std::size_t i = 0; i < entries.size(); ++i)
            order.push_back(sortKey(entries[i].line, std::uint32_t(i)));
        const FoldTable& plain = plainFold();
        const FoldTable& cased = caseFold();
        const auto before = [&entries, &plain, &cased](const SortKey& a, const SortKey& b) {
            if (const int byStart = std::memcmp(a.start.data(), b.start.data(), a.start.size()))
                return byStart < 0;
            const QByteArray& x = entries[a.index].line;
            const QByteArray& y = entries[b.index].line;
            // Repeated lines (a customer who rents again) are common: equal bytes keep archive order.
            if (x.size() == y.size() && std::memcmp(x.constData(), y.constData(), std::size_t(x.size())) == 0)
                return a.index < b.index;
            // Both starts folded alike, so the folded comparison goes on after them.
            const qsizetype known = std::min<qsizetype>({x.size(), y.size(), qsizetype(a.start.size())});
            if (const int byText = compareFolded(plain, x, y, known))
                return byText < 0;
            // Lines that read alike: the plain letter before the accented, then small before
            // capital, and equal lines in their archive order.
            if (const int byAccent = compareFolded(cased, x, y))
                return byAccent < 0;
            if (x != y)
                return x > y;
            return a.index < b.index;
        };
        // The order is total (archive order settles equal lines), so sorting the two halves on two
        // cores and merging them gives exactly the order of one sort.
        constexpr std::size_t SplitFrom = 20000;
        bool sortedInHalves = false;
        if (order.size() >= SplitFrom && std::thread::hardware_concurrency() > 1) {
            const auto middle = order.begin() + std::ptrdiff_t(order.size() / 2);
            try {
                std::thread firstHalf([&] { std::sort(order.begin(), middle, before); });
                std::sort(middle, order.end(), before);
                firstHalf.join();
                std::inplace_merge(order.begin(), middle, order.end(), before);
                sortedInHalves = true;
            } catch (const std::system_error&) {
                // No second thread to be had: one sort on this one.
            }
        }
        if (!sortedInHalves)
            std::sort(order.begin(), order.end(), before);
        std::vector<ListEntry> ordered;
        ordered.reserve(entries.size());
        for (const SortKey& key : order)
            ordered.push_back(std::move(entries[key.index]));
        entries = std::move(ordered);
    }
    beginResetModel();
    m_entries = std::move(entries);
    m_longest = 0;
    for (const ListEntry& entry : m_entries)
        m_longest = std::max(m_longest, int(entry.line.size()));
    endResetModel();
}

QString ListEntry::text() const
{
    return Cp1252::decode(line);
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
        const QRgb colour = m_entries[std::size_t(index.row())].colour;
        return QColor::fromRgba(colour ? colour : Style::Black);
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
    std::vector<ListEntry> entries;
    entries.reserve(
        std::size_t(QFileInfo(m_context.path(m_source.archive)).size() / m_source.layout->size()));
    LongWork work(isVisible() ? this : parentWidget(),
                  QStringLiteral("Ricerca schede in corso. Attendere..."));
    const ScanResult result = scanArchive(
        m_context.path(m_source.archive), *m_source.layout,
        [&](const RecordView& record) {
            if (keep(record))
                entries.push_back({m_source.line(record), record.position(), ink ? ink(record) : 0});
        },
        work.progress());
    if (result != ScanResult::Cancelled)
        m_model.setEntries(std::move(entries));
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
