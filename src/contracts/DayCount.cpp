#include "DayCount.h"

#include "storage/Amounts.h"
#include "storage/CountedString.h"
#include "storage/MessageBreaks.h"

#include <QDate>
#include <QRegularExpression>

namespace rf {
namespace {

DayCountResult failure(DayCountResult::Box box, const QString& message, DayCountResult::Focus focus)
{
    DayCountResult result;
    result.box = box;
    result.message = message;
    result.focus = focus;
    return result;
}

QString missingDate(const QString& which)
{
    return QStringLiteral(
               "Attenzione: per poter effettuare il calcolo dei giorni è necessario indicare la data "
               "di %1 noleggio.")
        .arg(which);
}

QString invalidDate(const QString& date)
{
    const QString problem = looksLikeDate(date)
                                ? QStringLiteral(" non esiste.")
                                : QStringLiteral(" non è valida: le date si scrivono nella forma ") +
                                      dateFormExample() + QLatin1Char('.');
    return QStringLiteral("Attenzione: la data ") + date + problem +
           QStringLiteral(RF_BREAK_LF_CR
                          "Per poter visualizzare il riepilogo è necessario indicare una data valida.");
}

} // namespace

bool looksLikeDate(const QString& text)
{
    static const QRegularExpression shape(QStringLiteral("^\\d{1,2}/\\d{1,2}/\\d{4}$"));
    return shape.match(trimControl(text)).hasMatch();
}

QString dateFormExample()
{
    return QStringLiteral("gg/mm/aaaa, ad esempio 03/01/2027");
}

DayCountResult Calcola(const QString& dataInizio, const QString& dataFine)
{
    using Box = DayCountResult::Box;
    using Focus = DayCountResult::Focus;

    const QString start = trimControl(dataInizio);
    const QString end = trimControl(dataFine);
    if (start.isEmpty())
        return failure(Box::Warning, missingDate(QStringLiteral("inizio")), Focus::Start);
    if (end.isEmpty())
        return failure(Box::Warning, missingDate(QStringLiteral("fine")), Focus::End);

    const QDate first = parseDate(start);
    if (!first.isValid())
        return failure(Box::Plain, invalidDate(start), Focus::Start);
    const QDate last = parseDate(end);
    if (!last.isValid())
        return failure(Box::Plain, invalidDate(end), Focus::End);

    if (first > last) {
        return failure(Box::Plain,
                       QStringLiteral("Attenzione: la data di fine noleggio (") + end +
                           QStringLiteral(") non può essere anteriore a quella di inizio noleggio (") +
                           start +
                           QStringLiteral(")." RF_BREAK_LF_CR
                                          "Per poter visualizzare il riepilogo è necessario indicare "
                                          "un intervallo di tempo valido."),
                       Focus::None);
    }

    DayCountResult result;
    const qint64 days = first.daysTo(last);
    result.totGiorni = days == 0 ? QStringLiteral("1") : QString::number(days);
    return result;
}

} // namespace rf
