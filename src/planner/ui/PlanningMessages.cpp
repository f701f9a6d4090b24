#include "PlanningMessages.h"

#include "common/ui/Context.h"
#include "common/ui/UserTexts.h"
#include "storage/CalendarNames.h"
#include "storage/MessageBreaks.h"

#include <QDir>
#include <QFileInfo>

namespace rf::PlanningMessages {

QString noVehicles()
{
    return QStringLiteral(
        "Attenzione: l'elenco dei veicoli non contiene nessuna voce." RF_BREAK_LF_CR "Per poter utilizzare "
        "il planner delle prenotazioni è necessario registrare almeno un veicolo nella flotta "
        "bici.");
}

QString dayTitle(int slot, const QString& year)
{
    return QStringLiteral("Prenotazione del %1 %2 ")
               .arg(Planning::dayOf(slot))
               .arg(monthNameInText(Planning::monthOf(slot))) +
           year;
}

QString unreadableYear(const QString& year)
{
    return QStringLiteral(
               "Attenzione: non è stato possibile leggere le prenotazioni del veicolo per l'anno ") +
           year + QLatin1Char('.');
}

QString readOnlyYear(const QString& year, const QString& path, WriteProblem why, const ArchiveNotice& notice)
{
    return QStringLiteral("Attenzione: le prenotazioni del veicolo per l'anno ") + year +
           QStringLiteral(" possono essere consultate, ma non modificate." RF_BREAK_LF_CR) +
           readOnlyReason(path, why, notice);
}

namespace {

QString quotedName(const QString& path)
{
    return QLatin1Char('"') + QFileInfo(path).fileName() + QLatin1Char('"');
}

// Where to look when a planning file cannot be written: the data folder that holds it.
QString checkPrivileges(const QString& path)
{
    return QStringLiteral("Accertarsi di possedere i privilegi di scrittura nella cartella dei dati ") +
           QDir::toNativeSeparators(QFileInfo(path).absolutePath()) + QLatin1Char('.');
}

} // namespace

QString readOnlyReason(const QString& path, WriteProblem why, const ArchiveNotice& notice)
{
    if (!notice.isEmpty())
        return Texts::archiveNotice(notice);
    switch (why) {
    case WriteProblem::Link:
        return Texts::linkRefused(QFileInfo(path).fileName());
    case WriteProblem::ReadOnly:
        return QStringLiteral("Il file ") + quotedName(path) +
               QStringLiteral(" è di sola lettura: le modifiche non possono essere salvate.");
    case WriteProblem::NoTemporary:
        return QStringLiteral("Non è stato possibile creare il file ") + quotedName(path) +
               QStringLiteral(": le modifiche non possono essere salvate." RF_BREAK_LF_CR) +
               checkPrivileges(path);
    case WriteProblem::None:
    case WriteProblem::Failed:
        break;
    }
    return QStringLiteral("Il sistema non consente di scrivere il file ") + quotedName(path) +
           QStringLiteral(": le modifiche non possono essere salvate." RF_BREAK_LF_CR) +
           checkPrivileges(path);
}

QString saveFailureReason(const QString& path, const Planning::SaveResult& result)
{
    if (result.lockRefused)
        return QStringLiteral("Il file ") + quotedName(path) +
               QStringLiteral(
                   " è in uso da un'altra postazione, oppure non è possibile scrivere nella cartella dei "
                   "dati ") +
               QDir::toNativeSeparators(QFileInfo(path).absolutePath()) +
               QStringLiteral(" (privilegi di scrittura insufficienti o disco pieno).");
    switch (result.problem) {
    case WriteProblem::Link:
        return Texts::linkRefused(QFileInfo(path).fileName());
    case WriteProblem::ReadOnly:
        if (QFileInfo(path).isDir())
            return QStringLiteral("Al posto del file ") + quotedName(path) +
                   QStringLiteral(" si trova una cartella.");
        return QStringLiteral("Il file ") + quotedName(path) + QStringLiteral(" è di sola lettura.");
    case WriteProblem::NoTemporary:
    case WriteProblem::Failed:
    case WriteProblem::None:
        break;
    }
    return checkPrivileges(path) + QStringLiteral(" Verificare anche che il disco non sia pieno.");
}

QString conflictsText(const std::vector<Planning::Conflict>& conflicts)
{
    if (conflicts.empty())
        return {};
    QStringList lines;
    for (const Planning::Conflict& conflict : conflicts)
        lines.append(Planning::dateText(conflict.slot, QString()).left(5) + QStringLiteral(": mantenuta \"") +
                     conflict.kept + QStringLiteral("\", sostituita \"") + conflict.replaced +
                     QStringLiteral("\""));
    return QStringLiteral(
               "Attenzione: nel frattempo un'altra postazione ha modificato le prenotazioni dei seguenti "
               "giorni:" RF_BREAK_LF_CR) +
           lines.join(QStringLiteral("\n\r")) +
           QStringLiteral(RF_BREAK_LF_CR
                          "Sono state mantenute le prenotazioni inserite in questa postazione; le "
                          "prenotazioni sostituite non sono più registrate nel planner.");
}

QString meanwhileText(const QString& path, Planning::SaveResult::Meanwhile meanwhile)
{
    using Meanwhile = Planning::SaveResult::Meanwhile;
    if (meanwhile == Meanwhile::Unchanged)
        return {};
    return QStringLiteral("Attenzione: nel frattempo il file ") + quotedName(path) +
           (meanwhile == Meanwhile::Removed ? QStringLiteral(" è stato eliminato")
                                            : QStringLiteral(" è stato danneggiato")) +
           QStringLiteral(
               " da un'altra postazione o da un altro programma." RF_BREAK_LF_CR
               "Il file è stato scritto di nuovo "
               "con le prenotazioni note a questa postazione; le prenotazioni registrate nel frattempo "
               "da altre postazioni potrebbero non essere presenti.");
}

bool workshopAgreed(Messages& messages, QWidget* owner, const Service::Entry* stay)
{
    return !stay || messages.confirmNo(
                        owner, QStringLiteral("Attenzione: in questi giorni il veicolo è in officina (") +
                                   Service::workshopText(*stay) +
                                   QStringLiteral(")." RF_BREAK_LF_CR "Prenotarlo comunque?"));
}

const Planning::BookingWritten::File* tellWritten(Messages& messages, QWidget* owner,
                                                  const Planning::BookingWritten& written)
{
    for (const Planning::BookingWritten::File& file : written.files) {
        if (!file.result.written)
            break;
        for (const QString& text :
             {meanwhileText(file.path, file.result.meanwhile), conflictsText(file.result.conflicts)}) {
            if (!text.isEmpty())
                messages.warning(owner, text);
        }
    }
    return written.failed();
}

} // namespace rf::PlanningMessages
