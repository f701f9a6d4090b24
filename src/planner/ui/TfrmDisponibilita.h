#pragma once

#include "common/ui/ListWindow.h"

#include <QDate>
#include <QHash>

class QLabel;

namespace rf {

// Which vehicles of the fleet are free over a span of days: the user types the first and last day
// and presses Cerca; every vehicle is listed, free ones first (green), then those booked on some
// days (amber, with the days), then those booked on every day (red). A double click on a line
// closes the window accepted with the fleet card of the vehicle, for its planning to be opened.
class TfrmDisponibilita : public ListWindow {
    Q_OBJECT
public:
    TfrmDisponibilita(Context& context, QWidget* owner);

    // The first day of the span the list was made for (invalid before any search).
    QDate searchedStart() const { return m_searchedStart; }

    void btnCercaClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildDates();
    // Checks the typed dates; false (after a warning) when they do not make a span.
    bool readSpan(QDate& start, QDate& end);
    // A list line of a fleet card: its status and days around its vehicle line.
    QByteArray lineOf(const RecordView& card) const;
    // Shows the booked days of the line at row below the list.
    void showDaysOf(int row);

    struct LineParts {
        QByteArray prefix, suffix;
    };
    QHash<qint64, LineParts> m_parts; // by fleet-card position, for the lines on show
    QLineEdit* m_txtDataInizio = nullptr;
    QLineEdit* m_txtDataFine = nullptr;
    QDate m_searchedStart;
    QLabel* m_lblGiorni = nullptr;
};

} // namespace rf
