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

TypedDate readTypedDate(const QString& typed, const QDate& around)
{
    using Reading = TypedDate::Reading;
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return {};
    int at = 0;
    const auto isDigit = [&text](int i) { return i < text.size() && text.at(i).isDigit(); };
    // Day and month: up to two digits, closed by "/" or by a second digit.
    struct Part {
        int value = 0;
        bool closed = false;
    };
    const auto readPart = [&](Part& part) {
        const int start = at;
        while (at - start < 2 && isDigit(at))
            part.value = part.value * 10 + text.at(at++).digitValue();
        if (at < text.size() && text.at(at) == QLatin1Char('/')) {
            if (at == start)
                return false; // a "/" with no digits before it
            ++at;
            part.closed = true;
        } else {
            part.closed = at - start == 2;
        }
        return at == text.size() || part.closed;
    };
    Part day;
    Part month;
    if (!readPart(day) || (day.closed && !readPart(month)))
        return {Reading::Malformed, {}};
    QString year;
    for (; at < text.size(); ++at) {
        if (!text.at(at).isDigit())
            return {Reading::Malformed, {}};
        year += text.at(at);
    }
    if (year.size() > 4)
        return {Reading::Malformed, {}};
    if (!month.closed || (year.size() != 2 && year.size() != 4)) {
        TypedDate partial{Reading::Partial, {}};
        if (around.isValid() && day.closed)
            partial.date = QDate(around.year(), month.closed ? month.value : around.month(), day.value);
        return partial;
    }
    const int y = year.size() == 2 ? 2000 + year.toInt() : year.toInt();
    const QDate date(y, month.value, day.value);
    return date.isValid() ? TypedDate{Reading::Date, date} : TypedDate{Reading::Nonexistent, {}};
}

QString typedDateProblem(const QString& typed, TypedDate::Reading reading)
{
    if (reading == TypedDate::Reading::Nonexistent)
        return QStringLiteral("Attenzione: la data ") + typed.trimmed() + QStringLiteral(" non esiste.");
    return QStringLiteral("Attenzione: la data ") + typed.trimmed() +
           QStringLiteral(" non è completa: le date si scrivono nella forma ") + dateFormExample() +
           QLatin1Char('.');
}

std::optional<QString> proposedTotal(const QString& totGiorni, const QString& importo, const QString& totale)
{
    bool counted = false;
    const qint64 days = totGiorni.trimmed().toLongLong(&counted);
    const std::optional<qint64> unit = amountCents(importo);
    const std::optional<qint64> total = amountCents(totale);
    if (!counted || days <= 0 || !unit || *unit <= 0 || total != qint64(0))
        return std::nullopt;
    const qint64 cents = days * *unit;
    return QString::number(cents / 100) + QLatin1Char(',') +
           QStringLiteral("%1").arg(cents % 100, 2, 10, QLatin1Char('0'));
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
