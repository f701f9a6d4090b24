#include "fleet/ServiceLog.h"
#include "fleet/ServiceDue.h"
#include "support/TestMain.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace rf;
using namespace rf::Service;

namespace {

Entry entry(const QString& number, const QDate& date, const QString& work)
{
    Entry e;
    e.vehicleNumber = number;
    e.date = date;
    e.work = work;
    return e;
}

QString writeIni(const QTemporaryDir& dir, const QByteArray& text)
{
    const QString path = dir.filePath(QStringLiteral("Rotaflux.ini"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(text);
    return path;
}

} // namespace

using Rentals = std::vector<RentalSpan>;
using Entries = std::vector<Entry>;
Q_DECLARE_METATYPE(Rentals)
Q_DECLARE_METATYPE(Entries)

class ServiceLogTest : public QObject {
    Q_OBJECT
private slots:
    // Each field at its offset, a length byte then the text, 698 bytes in all.
    void recordTableHasItsSizeAndOffsets_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("capacity");
        QTest::newRow("BiciNum") << "BiciNum" << 0 << 30;
        QTest::newRow("Data") << "Data" << 31 << 10;
        QTest::newRow("Lavoro") << "Lavoro" << 42 << 50;
        QTest::newRow("Ricambi") << "Ricambi" << 93 << 250;
        QTest::newRow("Meccanico") << "Meccanico" << 344 << 50;
        QTest::newRow("Costo") << "Costo" << 395 << 15;
        QTest::newRow("Km") << "Km" << 411 << 10;
        QTest::newRow("Note") << "Note" << 422 << 250;
        QTest::newRow("OfficinaDal") << "OfficinaDal" << 673 << 10;
        QTest::newRow("OfficinaAl") << "OfficinaAl" << 684 << 10;
        QTest::newRow("Eliminata") << "Eliminata" << 695 << 2;
    }
    void recordTableHasItsSizeAndOffsets()
    {
        QFETCH(QString, field);
        QFETCH(int, offset);
        QFETCH(int, capacity);
        const RecordLayout& layout = TSchedaManutenzione();
        QCOMPARE(layout.size(), RecordSize);
        QCOMPARE(layout.size(), 698);
        const int index = layout.indexOf(field);
        QVERIFY(index >= 0);
        QCOMPARE(layout.offset(index), offset);
        QCOMPARE(layout.capacity(index), capacity);
    }

    // Entries are appended, read back newest first per vehicle, rewritten, removed and renumbered;
    // a read of a folder without a log creates nothing.
    void logIsWrittenAndReadBack()
    {
        QTemporaryDir dir;
        QCOMPARE(int(read(dir.path(), QStringLiteral("7")).entries.size()), 0);
        QVERIFY(!QFile::exists(dir.filePath(QLatin1String(ArchiveName))));

        Entry brakes = entry(QStringLiteral("7"), QDate(2026, 5, 2), QStringLiteral("Freni"));
        brakes.cost = QStringLiteral("45,50");
        brakes.workshopFrom = QDate(2026, 5, 2);
        brakes.workshopTo = QDate(2026, 5, 4);
        QVERIFY(append(dir.path(), brakes) > 0);
        QVERIFY(append(dir.path(),
                       entry(QStringLiteral("8"), QDate(2026, 6, 1), QStringLiteral("Tagliando"))) > 0);
        QVERIFY(append(dir.path(),
                       entry(QStringLiteral("7"), QDate(2026, 7, 1), QStringLiteral("Tagliando"))) > 0);
        QCOMPARE(QFile(dir.filePath(QLatin1String(ArchiveName))).size(), 3 * 698);

        Log log = read(dir.path(), QStringLiteral("7"));
        QCOMPARE(int(log.entries.size()), 2);
        QCOMPARE(log.entries[0].work, QStringLiteral("Tagliando")); // newest first
        QCOMPARE(log.entries[1].costCents(), 4550);
        QVERIFY(log.entries[1].inWorkshopOn(QDate(2026, 5, 3)));
        QVERIFY(!log.entries[1].inWorkshopOn(QDate(2026, 5, 5)));
        QCOMPARE(workshopText(log.entries[1]),
                 QStringLiteral("IN OFFICINA: Freni dal 02/05/2026 al 04/05/2026"));

        Entry changed = log.entries[1];
        changed.notes = QStringLiteral("pastiglie");
        QVERIFY(rewrite(dir.path(), log.entries[1], changed));
        QVERIFY(remove(dir.path(), log.entries[0]));
        log = read(dir.path(), QStringLiteral("7"));
        QCOMPARE(int(log.entries.size()), 1);
        QCOMPARE(log.entries[0].notes, QStringLiteral("pastiglie"));

        // A card renumbered takes its entries along; the other vehicle keeps its own.
        QCOMPARE(renumber(dir.path(), QStringLiteral("7"), QStringLiteral("7A")), 1);
        QCOMPARE(int(read(dir.path(), QStringLiteral("7")).entries.size()), 0);
        QCOMPARE(int(read(dir.path(), QStringLiteral("7A")).entries.size()), 1);
        QCOMPARE(int(read(dir.path(), QStringLiteral("8")).entries.size()), 1);
        // A rewrite of a record that belongs to another vehicle now is refused.
        QVERIFY(!rewrite(dir.path(), changed, changed));
    }

    // A record changed on disk after it was read is neither rewritten nor removed from what was
    // read: the other change stays.
    void aRecordChangedSinceItWasReadIsLeftAsItIs()
    {
        QTemporaryDir dir;
        QVERIFY(append(dir.path(), entry(QStringLiteral("7"), QDate(2026, 5, 2), QStringLiteral("Freni"))) >
                0);
        const Entry read = Service::read(dir.path(), QStringLiteral("7")).entries.front();
        Entry theirs = read;
        theirs.cost = QStringLiteral("40,00");
        QVERIFY(rewrite(dir.path(), read, theirs));
        Entry mine = read;
        mine.notes = QStringLiteral("pastiglie");
        QVERIFY(!rewrite(dir.path(), read, mine));
        QVERIFY(!remove(dir.path(), read));
        const Entry now = Service::read(dir.path(), QStringLiteral("7")).entries.front();
        QCOMPARE(now.cost, QStringLiteral("40,00"));
        QCOMPARE(now.notes, QString());
        QVERIFY(rewrite(dir.path(), now, mine)); // read again, the change goes through
    }

    void workshopSpansMeetTheDaysAsked()
    {
        Entry whole = entry(QStringLiteral("7"), QDate(2026, 12, 30), QStringLiteral("Freni"));
        whole.workshopFrom = QDate(2026, 12, 30);
        whole.workshopTo = QDate(2027, 1, 2);
        Entry oneDay = entry(QStringLiteral("7"), QDate(2027, 1, 5), QStringLiteral("Tagliando"));
        oneDay.workshopTo = QDate(2027, 1, 5); // only "al" given: that day
        const std::vector<WorkshopSpan> spans =
            workshopSpans({oneDay, whole}, QDate(2027, 1, 1), QDate(2027, 1, 31));
        QCOMPARE(int(spans.size()), 2);
        QCOMPARE(spans[0].from, QDate(2027, 1, 1)); // clipped to the days asked
        QCOMPARE(spans[0].to, QDate(2027, 1, 2));
        QCOMPARE(spans[1].from, QDate(2027, 1, 5));
        QCOMPARE(spans[1].to, QDate(2027, 1, 5));
        QVERIFY(workshopSpans({whole}, QDate(2027, 1, 3), QDate(2027, 1, 9)).empty());
    }

    // The days in the workshop are counted once each, however many entries name them.
    void totalsCountEachWorkshopDayOnce_data()
    {
        QTest::addColumn<Entries>("entries");
        QTest::addColumn<int>("days");
        const QString n = QStringLiteral("7");
        const auto stay = [&n](const QDate& from, const QDate& to, const QString& cost = {}) {
            Entry e = entry(n, from.isValid() ? from : to, QStringLiteral("Freni"));
            e.workshopFrom = from;
            e.workshopTo = to;
            e.cost = cost;
            return e;
        };
        QTest::newRow("no stay") << Entries{entry(n, QDate(2026, 5, 1), QStringLiteral("Freni"))} << 0;
        QTest::newRow("from and to") << Entries{stay(QDate(2026, 5, 1), QDate(2026, 5, 3))} << 3;
        QTest::newRow("only the end") << Entries{stay(QDate(), QDate(2026, 5, 3))} << 1;
        QTest::newRow("overlapping") << Entries{stay(QDate(2026, 5, 1), QDate(2026, 5, 3)),
                                                stay(QDate(2026, 5, 3), QDate(2026, 5, 6)),
                                                stay(QDate(2026, 5, 2), QDate(2026, 5, 2))}
                                     << 6;
        QTest::newRow("apart across the year") << Entries{stay(QDate(2026, 12, 31), QDate(2027, 1, 1)),
                                                          stay(QDate(2027, 2, 1), QDate(2027, 2, 1))}
                                               << 3;
    }
    void totalsCountEachWorkshopDayOnce()
    {
        QFETCH(Entries, entries);
        QFETCH(int, days);
        entries.front().cost = QStringLiteral("1234,5");
        Entry removed = entry(QStringLiteral("7"), QDate(2026, 5, 1), QStringLiteral("Freni"));
        removed.cost = QStringLiteral("99,00");
        removed.workshopFrom = QDate(2020, 1, 1);
        removed.workshopTo = QDate(2020, 1, 9);
        removed.removed = true;
        entries.push_back(removed);
        const Totals totals = totalsOf(entries);
        QCOMPARE(totals.entries, int(entries.size()) - 1);
        QCOMPARE(totals.cents, qint64(123450));
        QCOMPARE(totals.workshopDays, days);
        QCOMPARE(totalsText(totals),
                 QStringLiteral("Interventi: %1     Totale: 1.234,50 €     Giorni in officina: %2")
                     .arg(totals.entries)
                     .arg(days));
    }

    void dueRuleCountsDaysAndRentalDays_data()
    {
        QTest::addColumn<Entries>("entries");
        QTest::addColumn<Rentals>("rentals");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QStringList>("due");
        const QString n = QStringLiteral("7");
        const Entries service{entry(n, QDate(2025, 6, 1), QStringLiteral("Tagliando"))};
        QTest::newRow("tagliando not yet due") << service << Rentals{} << QDate(2026, 5, 31) << QStringList{};
        QTest::newRow("tagliando due today")
            << service << Rentals{} << QDate(2026, 6, 1) << QStringList{"Tagliando da fare oggi"};
        QTest::newRow("tagliando overdue across the new year")
            << Entries{entry(n, QDate(2025, 12, 20), QStringLiteral("Tagliando"))} << Rentals{}
            << QDate(2027, 1, 1) << QStringList{"Tagliando scaduto da 12 giorni"};
        QTest::newRow("none yet, never rented")
            << Entries{} << Rentals{} << QDate(2026, 6, 1) << QStringList{};
        QTest::newRow("none yet, counted from the first rental")
            << Entries{} << Rentals{{QDate(2025, 1, 10), QDate(2025, 1, 12)}} << QDate(2026, 1, 12)
            << QStringList{"Tagliando scaduto da 3 giorni", "Batteria scaduto da 3 giorni"};
        QTest::newRow("brakes by rental days since the last")
            << Entries{entry(n, QDate(2026, 3, 1), QStringLiteral("Freni")),
                       entry(n, QDate(2026, 3, 1), QStringLiteral("Tagliando")),
                       entry(n, QDate(2026, 3, 1), QStringLiteral("Batteria")),
                       entry(n, QDate(2026, 3, 1), QStringLiteral("Pneumatici"))}
            << Rentals{{QDate(2026, 2, 1), QDate(2026, 3, 1)},  // before the entry: not counted
                       {QDate(2026, 3, 2), QDate(2026, 5, 30)}, // 90 days
                       {QDate(2026, 5, 20), QDate(2026, 6, 3)}} // overlaps: 4 more days
            << QDate(2026, 6, 10) << QStringList{"Freni scaduto da 4 giorni di noleggio"};
        QTest::newRow("a kind written in other letters counts")
            << Entries{entry(n, QDate(2026, 1, 1), QStringLiteral(" tagliando ")),
                       entry(n, QDate(2026, 1, 1), QStringLiteral("BATTERIA"))}
            << Rentals{} << QDate(2026, 12, 31) << QStringList{};
    }
    void dueRuleCountsDaysAndRentalDays()
    {
        QFETCH(Entries, entries);
        QFETCH(Rentals, rentals);
        QFETCH(QDate, today);
        QFETCH(QStringList, due);
        QTemporaryDir dir;
        const std::vector<DueRule> rules = dueRules(dir.filePath(QStringLiteral("Rotaflux.ini")));
        QStringList texts;
        for (const Due& d : dueFor(entries, rules, rentals, today))
            texts.append(dueText(d));
        QCOMPARE(texts, due);
    }

    // The settings file names its own kinds and periods; missing keys keep the defaults.
    void dueRulesComeFromTheSettingsFile()
    {
        QTemporaryDir dir;
        const QString path = writeIni(dir, "[Opzioni]\r\nAnno=2026\r\n[Manutenzione]\r\n"
                                           "Lavori=Tagliando;Catena\r\nTagliando_Giorni=180\r\n"
                                           "Catena_GiorniNoleggio=30\r\n");
        const std::vector<DueRule> rules = dueRules(path);
        QCOMPARE(int(rules.size()), 2);
        QCOMPARE(rules[0].kind, QStringLiteral("Tagliando"));
        QCOMPARE(rules[0].everyDays, 180);
        QCOMPARE(rules[1].kind, QStringLiteral("Catena"));
        QCOMPARE(rules[1].everyDays, 0);
        QCOMPARE(rules[1].everyRentalDays, 30);
        QCOMPARE(int(dueRules(dir.filePath(QStringLiteral("missing.ini"))).size()), 5);
    }
};

RF_REGISTER_TEST(ServiceLogTest)
#include "ServiceLogTest.moc"
