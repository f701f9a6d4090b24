#pragma once

#include "common/ui/FixedDialog.h"
#include "planner/PlanningFile.h"

#include <QDate>

#include <optional>
#include <utility>

class QComboBox;
class QLabel;

namespace rf {

class BookingText;

// Books a run of consecutive days of the planning grid's year for one customer: a start and an
// end day and month, the customer's name, checks, a confirmation. Accepted when the user confirms;
// the grid then books every day from firstSlot() to lastSlot() with text().
class TfrmIntervallo : public FixedDialog {
    Q_OBJECT
public:
    TfrmIntervallo(Context& context, QWidget* owner);

    // The grid's year, shown as the start and end year, and the vehicle line.
    void setUp(const QString& year, const QString& vehicleLine);
    // The grid's days as they stand: a span that takes days booked for someone else is confirmed
    // only after they were listed.
    void setBooked(const Planning::Days& days) { m_booked = days; }

    // The start and end dates of the last check, dd/mm/yyyy ("" before it got that far).
    QString lblDataInizio;
    QString lblDataFine;

    int firstSlot() const { return m_first; }
    int lastSlot() const { return m_last; }
    QString text() const;

    void btnChiudiClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QComboBox* makeDayPicker(const QString& name);
    QComboBox* makeMonthPicker(const QString& name);
    QWidget* dateGroup(const QString& title, QComboBox* day, QComboBox* month, QLabel* year);
    // Stops with a message when a check fails, giving the focus to focus (if any).
    void refuse(bool plain, const QString& message, QWidget* focus);
    // The checks of Chiudi: every picker chosen; then the start and end dates (written to
    // lblDataInizio and lblDataFine) that exist and come in order. Each refuses when it fails.
    bool pickersFilled();
    std::optional<std::pair<QDate, QDate>> checkedDates();

    QString m_year;
    QLabel* m_infCamera = nullptr;
    QComboBox* m_txtGiornoInizio = nullptr;
    QComboBox* m_txtMeseInizio = nullptr;
    QComboBox* m_txtGiornoFine = nullptr;
    QComboBox* m_txtMeseFine = nullptr;
    QLabel* m_lblAnnoInizio = nullptr;
    QLabel* m_lblAnnoFine = nullptr;
    BookingText* m_booking = nullptr;
    Planning::Days m_booked;
    int m_first = -1;
    int m_last = -1;
};

} // namespace rf
