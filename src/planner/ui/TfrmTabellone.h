#pragma once

#include "planner/ui/BoardView.h"

#include <QDate>
#include <QDialog>

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;

namespace rf {

class Context;

// The booking board: every vehicle of the fleet down the side, the days of a span across, each
// booking a bar. A day clicked is booked or freed through the day dialog (merged and written under
// the planning file's lock, as the yearly grid does); a vehicle double-clicked closes the board
// accepted, asking for its yearly grid (chosenPosition, chosenYear).
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

private:
    void moveBy(int direction);
    void showCurrent(int row, int day);
    void chooseVehicle(int row);
    QDate spanEnd(const QDate& start) const;

    Context& m_context;
    QLineEdit* m_txtDal = nullptr;
    QComboBox* m_cboPeriodo = nullptr;
    BoardView* m_board = nullptr;
    QLabel* m_lblInfo = nullptr;
    QDate m_start;
    int m_count = 0;
    qint64 m_chosenPosition = 0;
    QString m_chosenYear;
};

} // namespace rf
