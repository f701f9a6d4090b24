#include "ServiceDue.h"

#include "storage/IniFile.h"

#include <algorithm>

namespace rf::Service {

namespace {

const QString Section = QStringLiteral("Manutenzione");

DueRule defaultRule(const QString& kind)
{
    const QString k = kind.trimmed().toLower();
    if (k == QLatin1String("tagliando") || k == QLatin1String("batteria"))
        return {kind, 365, 0};
    if (k == QLatin1String("freni"))
        return {kind, 0, 90};
    if (k == QLatin1String("pneumatici"))
        return {kind, 0, 180};
    return {kind, 0, 0};
}

int number(const QString& text, int fallback)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok && value >= 0 ? value : fallback;
}

// Rental days from first to last (both included) over the rentals, each day counted once.
int rentalDaysBetween(const std::vector<RentalSpan>& rentals, const QDate& first, const QDate& last)
{
    std::vector<std::pair<QDate, QDate>> spans;
    for (const RentalSpan& rental : rentals) {
        if (!rental.start.isValid())
            continue;
        const QDate end = rental.end.isValid() ? std::max(rental.end, rental.start) : rental.start;
        const QDate from = std::max(rental.start, first);
        const QDate to = std::min(end, last);
        if (from <= to)
            spans.emplace_back(from, to);
    }
    std::sort(spans.begin(), spans.end());
    int days = 0;
    QDate reached; // the last day counted
    for (const auto& [from, to] : spans) {
        const QDate start = reached.isValid() ? std::max(from, reached.addDays(1)) : from;
        if (start <= to) {
            days += int(start.daysTo(to)) + 1;
            reached = to;
        }
    }
    return days;
}

} // namespace

std::vector<DueRule> dueRules(const QString& settingsPath)
{
    IniFile ini(settingsPath);
    const bool read = ini.load();
    const QString listed = read ? ini.value(Section, QStringLiteral("Lavori")) : QString();
    QStringList kinds = listed.trimmed().isEmpty() ? defaultKinds() : listed.split(QLatin1Char(';'));
    std::vector<DueRule> rules;
    for (const QString& raw : kinds) {
        const QString kind = raw.trimmed();
        if (kind.isEmpty())
            continue;
        DueRule rule = defaultRule(kind);
        if (read) {
            rule.everyDays = number(ini.value(Section, kind + QStringLiteral("_Giorni")), rule.everyDays);
            rule.everyRentalDays =
                number(ini.value(Section, kind + QStringLiteral("_GiorniNoleggio")), rule.everyRentalDays);
        }
        rules.push_back(rule);
    }
    return rules;
}

std::vector<Due> dueFor(const std::vector<Entry>& entries, const std::vector<DueRule>& rules,
                        const std::vector<RentalSpan>& rentals, const QDate& today)
{
    QDate firstRental;
    for (const RentalSpan& rental : rentals) {
        if (rental.start.isValid() && rental.start <= today &&
            (!firstRental.isValid() || rental.start < firstRental))
            firstRental = rental.start;
    }
    std::vector<Due> due;
    for (const DueRule& rule : rules) {
        if (rule.everyDays <= 0 && rule.everyRentalDays <= 0)
            continue;
        QDate last;
        for (const Entry& entry : entries) {
            if (!entry.removed && entry.date.isValid() && entry.date <= today &&
                entry.work.trimmed().compare(rule.kind, Qt::CaseInsensitive) == 0 &&
                (!last.isValid() || entry.date > last))
                last = entry.date;
        }
        // Never done: counted from the first day out; never out, nothing is due.
        const QDate since = last.isValid() ? last : firstRental.addDays(-1);
        if (!since.isValid())
            continue;
        std::optional<Due> found;
        if (rule.everyDays > 0) {
            const qint64 over = since.addDays(rule.everyDays).daysTo(today);
            if (over >= 0)
                found = Due{rule.kind, int(over), false, last};
        }
        if (rule.everyRentalDays > 0) {
            const int over = rentalDaysBetween(rentals, since.addDays(1), today) - rule.everyRentalDays;
            if (over >= 0 && (!found || over > found->overdue))
                found = Due{rule.kind, over, true, last};
        }
        if (found)
            due.push_back(*found);
    }
    std::stable_sort(due.begin(), due.end(),
                     [](const Due& a, const Due& b) { return a.overdue > b.overdue; });
    return due;
}

QString dueText(const Due& due)
{
    if (due.overdue == 0)
        return due.kind + QStringLiteral(" da fare oggi");
    return due.kind + QStringLiteral(" scaduto da %1 %2%3")
                          .arg(due.overdue)
                          .arg(due.overdue == 1 ? QStringLiteral("giorno") : QStringLiteral("giorni"))
                          .arg(due.rentalDays ? QStringLiteral(" di noleggio") : QString());
}

QString dueLine(const std::vector<Due>& due)
{
    QStringList texts;
    for (const Due& one : due)
        texts.append(dueText(one));
    return texts.join(QStringLiteral("; "));
}

} // namespace rf::Service
