#include "BookForContract.h"

#include "common/ui/Context.h"
#include "fleet/SchedaVeicolo.h"
#include "fleet/ServiceLog.h"
#include "planner/ContractBooking.h"
#include "planner/ui/PlanningMessages.h"
#include "storage/Amounts.h"
#include "storage/MessageBreaks.h"
#include "storage/RecordScan.h"

#include <QFileInfo>

namespace rf {

namespace {

const QString NotBooked =
    QStringLiteral(RF_BREAK_LF_CR "Il contratto è stato salvato, ma la prenotazione non è stata "
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
    scanArchive(context.path(QString::fromLatin1(Fleet::ArchiveName)), layout, [&](const RecordView& card) {
        if (!found && card.field(numberField).trimmed() == number.trimmed())
            found = Planning::Vehicle{card.field(numberField).trimmed(), card.field(make).trimmed(),
                                      card.field(colour).trimmed(), card.field(size).trimmed()};
    });
    return found;
}

// Says why a plan's files cannot be written, if so; true when they can.
bool writable(Messages& messages, QWidget* owner, const Planning::BookingPlan& plan,
              const QString& consequence)
{
    if (!plan.unreadable.isEmpty()) {
        messages.error(owner, QStringLiteral("Errore: il file \"") + QFileInfo(plan.unreadable).fileName() +
                                  QStringLiteral("\" del planner non può essere letto.") + consequence);
        return false;
    }
    if (!plan.readOnly.isEmpty()) {
        messages.error(owner, QStringLiteral("Errore: il file \"") + QFileInfo(plan.readOnly).fileName() +
                                  QStringLiteral("\" del planner non può essere modificato." RF_BREAK_LF_CR) +
                                  PlanningMessages::readOnlyReason(plan.readOnly, plan.readOnlyWhy, {}) +
                                  consequence);
        return false;
    }
    return true;
}

// Writes a plan and tells what another workstation changed meanwhile and what could not be written.
void write(Messages& messages, QWidget* owner, const Planning::BookingPlan& plan,
           const Planning::Vehicle& vehicle, const QString& text, bool replace)
{
    const Planning::BookingWritten written = Planning::writeBooking(plan, vehicle, text, replace);
    if (const Planning::BookingWritten::File* failed =
            PlanningMessages::tellWritten(messages, owner, written))
        // Files of other years may have been written already: the user is asked to look.
        messages.error(
            owner,
            QStringLiteral("Errore: non è stato possibile scrivere il file \"") +
                QFileInfo(failed->path).fileName() + QStringLiteral("\" del planner." RF_BREAK_LF_CR) +
                PlanningMessages::saveFailureReason(failed->path, failed->result) +
                QStringLiteral(RF_BREAK_LF_CR "Il contratto è stato salvato; controllare la prenotazione nel "
                                              "planner."));
}

Planning::BookedSpan spanOf(const ContractDays& days)
{
    return {days.vehicleNumber, days.start, days.end, days.text};
}

// The contract's days cannot be booked (why says so): when the days it had booked before are still
// in the planner, the user is told they stay and may free them; otherwise the warning alone.
void refuse(Context& context, QWidget* owner, const QString& why, const BookingRequest& request)
{
    Messages& messages = context.messages();
    const std::optional<ContractDays>& previous = request.previous;
    std::vector<Planning::BookedDay> stay;
    if (previous && !(spanOf(*previous) == spanOf(request.wanted)) &&
        Planning::fileNameProblem(previous->vehicleNumber).isEmpty())
        stay = Planning::daysBookedFor(context.dataFolder(), spanOf(*previous));
    if (stay.empty()) {
        messages.warning(owner, why + NotBooked);
        return;
    }
    const QString question =
        why + NotBooked + QStringLiteral(RF_BREAK_LF_CR "Nel planner resta la prenotazione precedente di ") +
        previous->customer.trimmed() + QStringLiteral(" per la bicicletta n. ") +
        previous->vehicleNumber.trimmed() +
        (stay.size() == 1 ? QLatin1Char(' ') + onDateText(stay.front().date)
                          : QLatin1Char(' ') + fromDateText(stay.front().date) + QStringLiteral(" al ") +
                                formatDate(stay.back().date)) +
        QStringLiteral("." RF_BREAK_LF_CR "Liberare questi giorni nel planner?");
    if (!messages.confirm(owner, question))
        return;
    const Planning::BookingPlan plan = Planning::planRelease(context.dataFolder(), spanOf(*previous));
    if (!plan.moving ||
        !writable(messages, owner, plan, QStringLiteral(RF_BREAK_LF_CR "I giorni non sono stati liberati.")))
        return;
    write(messages, owner, plan, {}, QString(), false);
}

// Whether wanted days the vehicle spends in the workshop may be booked all the same: the user is
// asked, naming the stay; true when none of the days is one.
bool workshopAgreed(Context& context, QWidget* owner, const ContractDays& wanted)
{
    const std::vector<Service::WorkshopSpan> stays =
        Service::workshopSpans(Service::read(context.dataFolder(), wanted.vehicleNumber.trimmed()).entries,
                               wanted.start, wanted.end);
    return PlanningMessages::workshopAgreed(context.messages(), owner,
                                            stays.empty() ? nullptr : &stays.front().entry);
}

} // namespace

void bookForContract(Context& context, QWidget* owner, const BookingRequest& request)
{
    Messages& messages = context.messages();
    const ContractDays& wanted = request.wanted;
    const QString number = wanted.vehicleNumber.trimmed();
    if (number.isEmpty() || !wanted.start.isValid() || !wanted.end.isValid() || wanted.end < wanted.start)
        return;
    if (wanted.start.daysTo(wanted.end) >= 366) {
        refuse(context, owner, QStringLiteral("Attenzione: il periodo del contratto supera un anno."),
               request);
        return;
    }
    const QString problem = Planning::fileNameProblem(number);
    if (!problem.isEmpty()) {
        refuse(context, owner,
               QStringLiteral(
                   "Attenzione: il numero del veicolo contiene caratteri che non possono far parte del "
                   "nome di un file (") +
                   problem + QStringLiteral(")."),
               request);
        return;
    }
    const std::optional<Planning::Vehicle> vehicle = fleetVehicle(context, number);
    if (!vehicle) {
        refuse(context, owner,
               QStringLiteral("Attenzione: la bicicletta n. ") + number +
                   QStringLiteral(" non ha una scheda nella flotta bici."),
               request);
        return;
    }
    BookingRequest checked = request;
    if (checked.previous && !Planning::fileNameProblem(checked.previous->vehicleNumber).isEmpty())
        checked.previous.reset(); // nothing can have been booked under that number
    const Planning::BookingPlan plan = Planning::planBooking(
        context.dataFolder(), spanOf(wanted),
        checked.previous ? std::optional<Planning::BookedSpan>(spanOf(*checked.previous)) : std::nullopt);
    // A plan with an unreadable file is cut short, so its "already booked" means nothing: say why first.
    if ((!plan.unreadable.isEmpty() || !plan.alreadyBooked) && !writable(messages, owner, plan, NotBooked))
        return;
    if (plan.alreadyBooked)
        return;
    QString question;
    if (plan.retext) {
        question = QStringLiteral("Aggiornare nel planner la prenotazione della bicicletta n. ") + number +
                   QLatin1Char(' ') + fromDateText(wanted.start) + QStringLiteral(" al ") +
                   formatDate(wanted.end) + QStringLiteral(" da \"") + checked.previous->text.trimmed() +
                   QStringLiteral("\" a \"") + wanted.text.trimmed() + QStringLiteral("\"?");
    } else if (plan.moving) {
        const ContractDays& previous = *checked.previous;
        question = QStringLiteral("Spostare nel planner la prenotazione di ") + wanted.customer.trimmed() +
                   QStringLiteral(" dalla bicicletta n. ") + previous.vehicleNumber.trimmed() +
                   QLatin1Char(' ') + fromDateText(previous.start) + QStringLiteral(" al ") +
                   formatDate(previous.end) + QStringLiteral(" alla bicicletta n. ") + number +
                   QLatin1Char(' ') + fromDateText(wanted.start) + QStringLiteral(" al ") +
                   formatDate(wanted.end) + QStringLiteral("?");
    } else {
        question = QStringLiteral("Prenotare nel planner la bicicletta n. ") + number + QLatin1Char(' ') +
                   fromDateText(wanted.start) + QStringLiteral(" al ") + formatDate(wanted.end) +
                   QStringLiteral(" per ") + wanted.customer.trimmed() + QStringLiteral("?");
    }
    if (!messages.confirm(owner, question) || !workshopAgreed(context, owner, wanted))
        return;
    bool replace = false;
    if (!plan.taken.empty()) {
        replace = messages.confirm(
            owner, QStringLiteral("Attenzione: nel planner della bicicletta n. ") + number +
                       QStringLiteral(" risultano già prenotati per altri i giorni ") +
                       Planning::listDays(plan.taken) +
                       QStringLiteral("." RF_BREAK_CR_LF
                                      "Sostituire anche queste prenotazioni? Rispondendo No verranno "
                                      "prenotati soltanto i giorni liberi."));
    }
    write(messages, owner, plan, *vehicle, wanted.text.trimmed(), replace);
}

} // namespace rf
