#pragma once

#include <QDate>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace rf {

// Days of one vehicle booked in the planner for one text, as a saved contract asks for them.
struct ContractDays {
    QString vehicleNumber;
    QDate start;
    QDate end;
    QString customer; // as the questions name it
    QString text;     // as the days carry it
};

// What a saved contract hands to the planner: the days it wants, and the days it wanted when it
// was last read or saved (none for a new contract), whose booking then moves.
struct BookingRequest {
    ContractDays wanted;
    std::optional<ContractDays> previous;
};

// Offers the booking to the user and writes it; the contract is already saved.
using PlannerBooker = std::function<void(QWidget* owner, const BookingRequest& request)>;

} // namespace rf
