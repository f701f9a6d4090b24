#include "BookForContract.h"

#include "common/ui/Context.h"
#include "fleet/SchedaVeicolo.h"
#include "planner/ContractBooking.h"
#include "planner/ui/PlanningMessages.h"
#include "storage/Amounts.h"
#include "storage/RecordScan.h"

#include <QFileInfo>

namespace rf {

namespace {

const QString NotBooked = QStringLiteral("\n\r\n\rIl contratto è stato salvato, ma la prenotazione non è stata "
                                         "registrata nel planner.");

// The fleet card of a vehicle number, as the planner header takes it.
std::optional<Planning::Vehicle> fleetVehicle(Context& context, const QString& number)
{
    static const RecordLayout& layout = TSchedaVeicolo();
    static const int numberField = layout.indexOf(QStringLiteral("BiciNum"));
    static const int make = layout.indexOf(QStringLiteral("Marca"));
    static const int colour = layout.indexOf(QStringLiteral("Colore"));
    static const int size = layout.indexOf(QStringLiteral("Taglia"));
    std::optional<Planning::Vehicle> found;
    ScanArchive(context.path(QString::fromLatin1(Fleet::ArchiveName)), layout, [&](const RecordView& card) {
        if (!found && card.field(numberField).trimmed() == number.trimmed())
            found = Planning::Vehicle{card.field(numberField).trimmed(), card.field(make).trimmed(),
                                      card.field(colour).trimmed(), card.field(size).trimmed()};
    });
    return found;
}

} // namespace

void BookForContract(Context& context, QWidget* owner, const BookingRequest& request)
{
    Messages& messages = context.messages();
    const ContractDays& wanted = request.wanted;
    const QString number = wanted.vehicleNumber.trimmed();
    if (number.isEmpty() || !wanted.start.isValid() || !wanted.end.isValid() || wanted.end < wanted.start)
        return;
    if (wanted.start.daysTo(wanted.end) >= 366) {
        messages.warning(owner, QStringLiteral("Attenzione: il periodo del contratto supera un anno.") + NotBooked);
        return;
    }
    const QString problem = Planning::fileNameProblem(number);
    if (!problem.isEmpty()) {
        messages.warning(owner, QStringLiteral("Attenzione: il numero del veicolo contiene caratteri che non possono "
                                               "far parte del nome di un file (") +
                                    problem + QStringLiteral(").") + NotBooked);
        return;
    }
    const std::optional<Planning::Vehicle> vehicle = fleetVehicle(context, number);
    if (!vehicle) {
        messages.warning(owner, QStringLiteral("Attenzione: la bicicletta n. ") + number +
                                    QStringLiteral(" non ha una scheda nella flotta bici.") + NotBooked);
        return;
    }
    BookingRequest checked = request;
    if (checked.previous && !Planning::fileNameProblem(checked.previous->vehicleNumber).isEmpty())
        checked.previous.reset(); // nothing can have been booked under that number
    const auto span = [](const ContractDays& days) {
        return Planning::BookedSpan{days.vehicleNumber, days.start, days.end, days.text};
    };
    const Planning::BookingPlan plan = Planning::planBooking(
        context.programFolder(), span(wanted),
        checked.previous ? std::optional<Planning::BookedSpan>(span(*checked.previous)) : std::nullopt);
    if (!plan.unreadable.isEmpty()) {
        messages.error(owner, QStringLiteral("Errore: il file \"") + QFileInfo(plan.unreadable).fileName() +
                                  QStringLiteral("\" del planner non può essere letto.") + NotBooked);
        return;
    }
    if (plan.alreadyBooked)
        return;
    if (!plan.readOnly.isEmpty()) {
        messages.error(owner, QStringLiteral("Errore: il file \"") + QFileInfo(plan.readOnly).fileName() +
                                  QStringLiteral("\" del planner non può essere modificato.\n\r\n\r") +
                                  PlanningMessages::readOnlyReason(plan.readOnly, plan.readOnlyWhy, QString()) +
                                  NotBooked);
        return;
    }
    QString question;
    if (plan.moving) {
        const ContractDays& previous = *checked.previous;
        question = QStringLiteral("Spostare nel planner la prenotazione di ") + wanted.customer.trimmed() +
                   QStringLiteral(" dalla bicicletta n. ") + previous.vehicleNumber.trimmed() +
                   QStringLiteral(" dal ") + FormatDate(previous.start) + QStringLiteral(" al ") +
                   FormatDate(previous.end) + QStringLiteral(" alla bicicletta n. ") + number + QStringLiteral(" dal ") +
                   FormatDate(wanted.start) + QStringLiteral(" al ") + FormatDate(wanted.end) + QStringLiteral("?");
    } else {
        question = QStringLiteral("Prenotare nel planner la bicicletta n. ") + number + QStringLiteral(" dal ") +
                   FormatDate(wanted.start) + QStringLiteral(" al ") + FormatDate(wanted.end) + QStringLiteral(" per ") +
                   wanted.customer.trimmed() + QStringLiteral("?");
    }
    if (!messages.confirm(owner, question))
        return;
    bool replace = false;
    if (!plan.taken.empty()) {
        replace = messages.confirm(
            owner, QStringLiteral("Attenzione: nel planner della bicicletta n. ") + number +
                       QStringLiteral(" risultano già prenotati per altri i giorni ") + Planning::listDays(plan.taken) +
                       QStringLiteral(".\r\n\r\nSostituire anche queste prenotazioni? Rispondendo No verranno "
                                      "prenotati soltanto i giorni liberi."));
    }
    const Planning::BookingWritten written = Planning::writeBooking(plan, *vehicle, wanted.text.trimmed(), replace);
    for (const Planning::BookingWritten::File& file : written.files) {
        if (!file.result.written)
            break;
        for (const QString& text : {PlanningMessages::meanwhileText(file.path, file.result.meanwhile),
                                    PlanningMessages::conflictsText(file.result.conflicts)}) {
            if (!text.isEmpty())
                messages.warning(owner, text);
        }
    }
    if (const Planning::BookingWritten::File* failed = written.failed())
        // Files of other years may have been written already: the user is asked to look.
        messages.error(owner, QStringLiteral("Errore: non è stato possibile scrivere il file \"") +
                                  QFileInfo(failed->path).fileName() +
                                  QStringLiteral("\" del planner.\n\r\n\r") +
                                  PlanningMessages::saveFailureReason(failed->path, failed->result) +
                                  QStringLiteral("\n\r\n\rIl contratto è stato salvato; controllare la prenotazione nel "
                                                 "planner."));
}

} // namespace rf
