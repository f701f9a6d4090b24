#pragma once

#include "planner/DayBooking.h"
#include "planner/PlanningFile.h"
#include "planner/ui/BoardView.h"

#include <QDate>
#include <QDialog>

#include <optional>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLayout;
class QLineEdit;

namespace rf {

class Context;

// The booking board: every vehicle of the fleet down the side, the days of a span across, each
// booking a bar. A day clicked is booked or freed through the day dialog (merged and written under
// the planning file's lock, as the yearly grid does); a vehicle double-clicked closes the board
// accepted, asking for its yearly grid (chosenPosition, chosenYear). With "Solo liberi" the board
// shows only the vehicles free on every marked day (or on the current day when none is marked),
// and a marked run is booked for a vehicle in one go.
class TfrmTabellone : public QDialog {
    Q_OBJECT
public:
    // The spans cboPeriodo offers, in its order.
    enum class Span { TwoWeeks, OneMonth, ThreeMonths };

    // Opens on today for a month, or at place (after the yearly grid asked for there).
    TfrmTabellone(Context& context, QWidget* owner, const std::optional<BoardPlace>& place = std::nullopt);

    // Where the user stands: the first day, the span, the current vehicle and day.
    BoardPlace place() const;

    BoardView* board() const { return m_board; }
    QDate start() const { return m_start; }
    int dayCount() const { return m_count; }
    // After accepted: the fleet card of the vehicle and the year of the day it was asked on.
    qint64 chosenPosition() const { return m_chosenPosition; }
    QString chosenYear() const { return m_chosenYear; }
    // Whether the vehicle was chosen for its service log rather than its yearly grid.
    bool chosenServiceLog() const { return m_chosenServiceLog; }

    // Reads the board again for the date in txtDal and the span in cboPeriodo; false (after a
    // warning) when the date is not one.
    bool reload();
    void btnPrecedenteClick();
    void btnSuccessivoClick();
    void btnOggiClick();
    void btnStampaClick();
    void btnPdfClick();
    // The day dialog for a day of a row, and the booking it asks for written.
    void bookDay(int row, int day);
    // The day dialog for a run of days of a row, all free, and the booking written on each.
    void bookSpan(int row, int first, int last);
    // Shows every vehicle, or only those free on the marked days.
    void showFreeOnly(bool freeOnly);

private:
    // The row of date, span, "Solo liberi" and buttons above the board, with their connections.
    QLayout* buildCommands();
    // The board and what its cursor, mark and choices do.
    void buildBoard();
    // The status line under the board; returns the instructions below it.
    QLabel* buildInfo();
    // Puts the cursor back where the user stood, if the vehicle is still on the board.
    void goTo(const std::optional<BoardPlace>& place);
    void moveBy(int direction);
    void showRows();
    // The days from first to last of a row as stored, or nothing after saying why they cannot be
    // booked (refused ends that warning).
    std::optional<Planning::DayBooking> readBooking(int row, int first, int last, const QString& refused);
    // Books the days with text, says what became of it and shows the row as now stored.
    void book(int row, const Planning::DayBooking& booking, const QString& text);
    // Whether days of a row the vehicle spends in the workshop may be booked all the same: the
    // user is asked, naming the stay; true when there is none.
    bool workshopAgreed(int row, int first, int last);
    // Puts a vehicle's row, read again, in place of the one shown.
    void showRow(int row, Planning::BoardRow fresh);
    void showCurrent(int row, int day);
    void chooseVehicle(int row);
    // A code typed or scanned on the board: the cursor goes to that vehicle's row on the same day;
    // a code no row has is said on the info line.
    void goToVehicleNumbered(const QString& code);
    // Closes the board asking for the service log of the vehicle of row.
    void chooseServiceLog(int row);
    QDate spanEnd(const QDate& start) const;

    Context& m_context;
    QLineEdit* m_txtDal = nullptr;
    QComboBox* m_cboPeriodo = nullptr;
    QCheckBox* m_chkSoloLiberi = nullptr;
    std::vector<Planning::BoardRow> m_rows; // every vehicle's row; the board may show fewer
    std::pair<int, int> m_freeDays{-1, -1}; // the days "Solo liberi" last looked at
    BoardView* m_board = nullptr;
    QLabel* m_lblInfo = nullptr;
    QDate m_start;
    int m_count = 0;
    qint64 m_chosenPosition = 0;
    QString m_chosenYear;
    bool m_chosenServiceLog = false;
};

} // namespace rf
