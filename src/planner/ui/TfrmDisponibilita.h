#pragma once

#include "common/ui/ListWindow.h"
#include "fleet/ServiceLog.h"
#include "planner/Availability.h"

#include <QDate>
#include <QHash>

class QLabel;

namespace rf {

// Which vehicles of the fleet are free over a span of days: the user types the first and last day
// and presses Cerca; every vehicle is listed, free ones first (green), then those booked on some
// days (amber, with the days), those booked on every day (red), those whose planning file cannot
// be read (violet) and those whose number cannot name one (grey). A double click (or Enter) on a
// line closes the window accepted with the fleet card of the vehicle, for its planning to be
// opened; a line that cannot be opened says why and leaves the window open.
class TfrmDisponibilita : public ListWindow {
    Q_OBJECT
public:
    TfrmDisponibilita(Context& context, QWidget* owner);

    // The first day of the span the list was made for (invalid before any search).
    QDate searchedStart() const { return m_searchedStart; }

    void btnCercaClick();

protected:
    void showEvent(QShowEvent* event) override;
    // A line whose planning cannot be opened is not chosen: the user is told why, and the window
    // stays open with its results.
    void done(int result) override;

private:
    QWidget* buildDates();
    // Checks the typed dates; false (after a warning) when they do not make a span.
    bool readSpan(QDate& start, QDate& end);
    // The date typed in edit, the span's "inizio" or "fine" (which); false after a warning when
    // there is none or it does not exist.
    bool readDate(QLineEdit* edit, const QString& which, QDate& date);
    // Warns with message, puts the focus on the edit to mend (when there is one), and returns false.
    bool refuse(const QString& message, QLineEdit* focus);
    // Empties the list and what is said about it.
    void clearResults();
    // A list line of a fleet card: its status, its number, its days, then the rest of the vehicle.
    QByteArray lineOf(const RecordView& card) const;
    // Shows what the line at row is about below the list: its booked days, or why it is not known.
    void showDaysOf(int row);

    struct LineParts {
        QByteArray status; // the status word in its column
        QByteArray days;   // the days' column
        QString detail;    // shown below the list when the line is picked
        QString refusal;   // why the line's planning cannot be opened; empty when it can
    };
    static LineParts partsOf(const Planning::Availability& availability, const QString& number,
                             int startYear);
    // A vehicle in the workshop on days of the span: its own status, its stays in the days' column
    // and the detail, and whatever it has booked after them.
    static void markWorkshop(LineParts& parts, const std::vector<Service::WorkshopSpan>& stays);
    static QByteArray composeLine(const LineParts& parts, const QByteArray& vehicleLine);
    QHash<qint64, LineParts> m_parts; // by fleet-card position, for the lines on show
    QLineEdit* m_txtDataInizio = nullptr;
    QLineEdit* m_txtDataFine = nullptr;
    QDate m_searchedStart;
    QLabel* m_lblGiorni = nullptr;
};

} // namespace rf
