#include "TodayWork.h"

#include "contracts/ContractSearch.h"
#include "contracts/SchedaContratto.h"
#include "fleet/SchedaVeicolo.h"
#include "planner/Availability.h"
#include "storage/Amounts.h"
#include "storage/ArchiveFile.h"
#include "storage/Cp1252.h"
#include "storage/TextSearch.h"

#include <QDir>
#include <QSet>

namespace rf::Today {

QByteArray pickupLine(const Planning::Vehicle& vehicle, const QString& text)
{
    return Cp1252::encode(QStringLiteral("Bici n. %1  %2  Prenotata per: %3")
                              .arg(vehicle.number.leftJustified(10), vehicle.make.leftJustified(20), text));
}

QByteArray contractLine(const RecordView& record)
{
    static const RecordLayout& layout = TSchedaContratto();
    static const int bicycle = layout.indexOf(QStringLiteral("BiciNum"));
    static const int customer = layout.indexOf(QStringLiteral("Cliente"));
    static const int start = layout.indexOf(QStringLiteral("DataInizio"));
    static const int end = layout.indexOf(QStringLiteral("DataFine"));
    static const int phone = layout.indexOf(QStringLiteral("Recapito"));
    return LineBuilder(record)
        .text("Bici n. ")
        .field(bicycle, 10)
        .text("  ")
        .field(customer, 26)
        .text("  dal ")
        .field(start, 10)
        .text(" al ")
        .field(end, 10)
        .text("  Tel. ")
        .field(phone)
        .take();
}

Work dayWork(const QString& folder, const QDate& today)
{
    const QDir dir(folder);
    const RecordLayout& layout = TSchedaContratto();
    static const int bicycle = layout.indexOf(QStringLiteral("BiciNum"));
    static const int start = layout.indexOf(QStringLiteral("DataInizio"));
    static const int end = layout.indexOf(QStringLiteral("DataFine"));
    Work work;
    LineSorter out, dueToday, late;
    // The bicycles a contract covers today: their pickups are drawn up already.
    QSet<QString> covered;
    work.contracts = scanArchive(dir.filePath(QString::fromLatin1(Contracts::ArchiveName)), layout,
                                 [&](const RecordView& record) {
                                     const QDate from = parseDate(record.field(start));
                                     const QDate to = parseDate(record.field(end));
                                     if (from.isValid() && from <= today && (!to.isValid() || today <= to))
                                         covered.insert(record.field(bicycle).toUpper());
                                     if (!Contracts::notReturned(record))
                                         return;
                                     const QByteArray line = contractLine(record);
                                     out.add({line, record.position()});
                                     if (to == today)
                                         dueToday.add({line, record.position()});
                                     else if (Contracts::overdue(record, today))
                                         late.add({line, record.position()});
                                 });
    work.out = out.finish();
    work.dueToday = dueToday.finish();
    work.late = late.finish();

    LineSorter pickups;
    for (const Planning::FleetVehicle& vehicle :
         Planning::fleetVehicles(dir.filePath(QString::fromLatin1(Fleet::ArchiveName)))) {
        const Planning::Availability days =
            Planning::availabilityOf(folder, vehicle.vehicle.number, today.addDays(-1), today);
        QString yesterday, now;
        for (const Planning::BookedDay& day : days.booked)
            (day.date == today ? now : yesterday) = day.text;
        if (!now.isEmpty() && now != yesterday && !covered.contains(vehicle.vehicle.number.toUpper()))
            pickups.add({pickupLine(vehicle.vehicle, now), vehicle.position});
    }
    work.pickups = pickups.finish();
    return work;
}

Returned markReturned(const QString& folder, qint64 position, const QByteArray& line)
{
    const RecordLayout& layout = TSchedaContratto();
    const QString path = QDir(folder).filePath(QString::fromLatin1(Contracts::ArchiveName));
    const qint64 found = locateRecord(path, layout, position, line, contractLine);
    if (found <= 0)
        return Returned::NotFound;
    ArchiveFile archive(path, layout.size());
    if (!archive.OpenArchive())
        return Returned::Failed;
    if (archive.isReadOnly())
        return Returned::ReadOnly;
    // The record is read, checked and rewritten under one lock: a card saved elsewhere a moment
    // ago keeps its other fields, and a record that is no longer this line's is left alone.
    bool moved = false;
    const ArchiveFile::Update done = archive.update(found, [&](QByteArray& record) {
        if (contractLine(RecordView(layout, record.constData(), found)).trimmed() != line.trimmed()) {
            moved = true;
            return false;
        }
        QStringList texts = layout.decode(record.constData());
        texts[Contracts::ReturnedField] = Contracts::returnedYes();
        record = layout.encode(texts);
        return true;
    });
    switch (done) {
    case ArchiveFile::Update::Written:
        return Returned::Done;
    case ArchiveFile::Update::Unchanged:
        return moved ? Returned::NotFound : Returned::Done;
    case ArchiveFile::Update::NotFound:
        return Returned::NotFound;
    case ArchiveFile::Update::Failed:
        break;
    }
    return Returned::Failed;
}

} // namespace rf::Today
