#pragma once

#include "common/ui/FixedDialog.h"
#include "storage/LineOrder.h"
#include "storage/RecordScan.h"

#include <QAbstractListModel>
#include <QHash>
#include <QRgb>

#include <functional>
#include <vector>

class QAbstractItemView;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QStackedLayout;
class QVBoxLayout;

namespace rf {

// The lines of a list window, kept sorted by their text as an Italian reader orders it (LineSorter)
// and shown in a
// fixed-pitch font, each item 1600 wide (or as wide as the longest line) so that long lines scroll
// sideways instead of being cut.
class LineListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    // The ink of the lines made from some records, by the record's position; the others are black.
    using Inks = QHash<qint64, QRgb>;
    // Replaces the lines; they are sorted once, here, unless they come in their own order.
    void setEntries(std::vector<ListEntry> entries, bool sorted = true, Inks inks = {});
    // Whether the line at row has an ink of its own.
    bool inked(int row) const;
    void setItemWidth(int width) { m_itemWidth = width; }
    void clear() { setEntries({}); }
    const std::vector<ListEntry>& entries() const { return m_entries; }
    QStringList lines() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::vector<ListEntry> m_entries;
    Inks m_inks;
    int m_itemWidth = 1600;
    int m_longest = 0; // characters of the longest line
};

// The line to select when the user looks for key in lines, the line at selected being selected
// and previousKey the key of the last look (A to Z compared without case; key already lowered).
// A new key is looked for from the first line on; the same key again from the line after the
// selected one, round the end of the list. -1 when no line holds it; an empty key finds nothing.
int findNextLine(const QStringList& lines, int selected, const QString& key, const QString& previousKey);

// Where a list window's lines come from: an archive of the program folder and the line of a record.
// A window whose lines come from elsewhere has none.
struct ListSource {
    QString archive;
    const RecordLayout* layout = nullptr;
    std::function<QByteArray(const RecordView&)> line;
};

// A window that shows records as lines in a list: the user finds a line by text ("Trova", again
// for the next), prints the list, and double-clicks a line to choose its record, which closes the
// window accepted with chosenPosition(). The results panel panContainer is built here; a window
// adds what comes before it.
class ListWindow : public FixedDialog {
    Q_OBJECT
public:
    struct Look {
        QString objectName;
        QString caption;
        QString printTitle;
        QString hintName; // the label below the list that tells how to choose
        QString hint;
        QString countFormat; // the count line with %1 for the number of lines; none when empty
    };

    ListWindow(Context& context, QWidget* owner, const Look& look, ListSource source = {});

    // The record the user chose, once the window closed accepted.
    qint64 chosenPosition() const { return m_chosen; }
    const LineListModel& lines() const { return m_model; }

    void btnTrovaClick();
    void btnStampaClick();
    // Chooses the line at row, as a double click on it does.
    void choose(int row);

protected:
    // Fills the list from the archive: every record keep() accepts, in line order. Returns how
    // the scan ended; a long one can be cancelled from its progress dialog.
    // ink, when given, colours each kept line (0: black).
    ScanResult fill(const std::function<bool(const RecordView&)>& keep,
                    const std::function<QRgb(const RecordView&)>& ink = {});
    // Adds a label under the hint, below the list, in the window's dark ink.
    void addBottomLabel(QLabel* label);
    void showResults();
    // Shows lines given by the window itself, in the order given.
    void setLines(const QStringList& lines);
    // The key of the last "Trova" is kept in key, which outlives the window, instead of being
    // forgotten each time the window is shown.
    void keepSearchKeyIn(QString& key) { m_previousKey = &key; }
    // The title printed above the lines, for a window whose lines depend on what was asked.
    void setPrintTitle(const QString& title) { m_printTitle = title; }
    // A line printed after the lines, set apart by an empty one (a count the window shows below
    // its list); nothing is added to an empty list.
    void setPrintNote(const QString& note) { m_printNote = note; }
    LineListModel& model() { return m_model; }
    QWidget* resultsPanel() const { return m_panContainer; }
    QStackedLayout* panels() const { return m_panels; }
    const ListSource& source() const { return m_source; }

    void showEvent(QShowEvent* event) override;
    void done(int result) override;

    QLineEdit* m_txtTrova = nullptr;
    QListView* m_lstRecords = nullptr;
    QLabel* m_lblTrovate = nullptr;

private:
    QWidget* buildResults(const Look& look);

    ListSource m_source;
    QString m_printTitle;
    QString m_countFormat;
    QString m_printNote;
    LineListModel m_model;
    QWidget* m_panContainer = nullptr;
    QStackedLayout* m_panels = nullptr;
    QVBoxLayout* m_labels = nullptr;
    QString m_ownKey;
    QString* m_previousKey = &m_ownKey;
    qint64 m_chosen = -1;
};

// The list lstRecords over model: fixed-pitch lines that scroll sideways, never cut short; Enter
// on the selected line opens it as a double click does.
QListView* makeLineList(LineListModel* model);
// Enter on the selected line of list does what a double click on it does.
void enterOpensLine(QAbstractItemView* list);

// A panel explaining the step on screen: a picture and a few sentences on white.
QWidget* explanationPanel(const QString& picture, const QString& text);

} // namespace rf
