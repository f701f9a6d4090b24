#include "storage/TextSearch.h"
#include "storage/RecordScan.h"
#include "support/Archives.h"
#include "support/TestMain.h"

#include <QTemporaryDir>
#include <QTest>

using namespace rf;

namespace {

const RecordLayout& twoFields()
{
    static const RecordLayout layout{{"Colore", 30}, {"Marca", 30}};
    return layout;
}

// Whether a record with these two field values is listed by filters typed into the two fields.
bool listed(const QString& colour, const QString& make, const QString& colourFilter,
            const QString& makeFilter)
{
    const QByteArray bytes = twoFields().encode({colour, make});
    FieldFilters filters;
    filters.add(0, colourFilter);
    filters.add(1, makeFilter);
    return filters.matches(RecordView(twoFields(), bytes.constData(), 1));
}

} // namespace

class TextSearchTest : public QObject {
    Q_OBJECT
private slots:
    void filtersMatchParts_data()
    {
        QTest::addColumn<QString>("colour");
        QTest::addColumn<QString>("make");
        QTest::addColumn<QString>("colourFilter");
        QTest::addColumn<QString>("makeFilter");
        QTest::addColumn<bool>("listed");
        QTest::newRow("same case") << "Rosso"
                                   << ""
                                   << "ross"
                                   << "" << true;
        QTest::newRow("capitals") << "ROSSO"
                                  << ""
                                  << "ross"
                                  << "" << true;
        QTest::newRow("inside") << "rosso scuro"
                                << ""
                                << "scur"
                                << "" << true;
        QTest::newRow("filter in capitals") << "rosso"
                                            << ""
                                            << "ROSS"
                                            << "" << true;
        QTest::newRow("accents keep their case") << "ROSSÒ"
                                                 << ""
                                                 << "rossò"
                                                 << "" << false;
        QTest::newRow("same accent") << "rossò"
                                     << ""
                                     << "rossò"
                                     << "" << true;
        QTest::newRow("absent") << "Verde"
                                << ""
                                << "ross"
                                << "" << false;
        QTest::newRow("trailing blank as typed") << "Rosso"
                                                 << ""
                                                 << "rosso "
                                                 << "" << false;
        QTest::newRow("blank inside as typed") << "rosso scuro"
                                               << ""
                                               << "rosso "
                                               << "" << true;
        QTest::newRow("blanks only take no part") << "Verde"
                                                  << ""
                                                  << "   "
                                                  << "" << true;
        QTest::newRow("no filter lists all") << ""
                                             << ""
                                             << ""
                                             << "" << true;
        QTest::newRow("both match") << "Rosso"
                                    << "Atala City"
                                    << "ross"
                                    << "city" << true;
        QTest::newRow("only one matches") << "Rosso"
                                          << "Bianchi"
                                          << "ross"
                                          << "city" << false;
    }

    void filtersMatchParts()
    {
        QFETCH(QString, colour);
        QFETCH(QString, make);
        QFETCH(QString, colourFilter);
        QFETCH(QString, makeFilter);
        QFETCH(bool, listed);
        QCOMPARE(::listed(colour, make, colourFilter, makeFilter), listed);
    }

    void activeFiltersAreCounted()
    {
        FieldFilters filters;
        filters.add(0, QStringLiteral(" "));
        filters.add(1, QStringLiteral("m"));
        QCOMPARE(filters.activeCount(), 1);
    }

    void fitCutsAndPads()
    {
        QCOMPARE(fit(QStringLiteral("B-07"), 6), QStringLiteral("B-07  "));
        QCOMPARE(fit(QStringLiteral("1234567890ABCDEFG"), 15), QStringLiteral("1234567890ABCDE"));
        QCOMPARE(fit(QString(), 3), QStringLiteral("   "));
    }

    void scanVisitsEveryRecordInOrderAndCreatesNoMissingArchive()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Prova.pro"));
        QStringList seen;
        QCOMPARE(scanArchive(path, twoFields(), [&](const RecordView& r) { seen.append(r.field(0)); }),
                 ScanResult::Done);
        QVERIFY(seen.isEmpty());
        QVERIFY(!QFile::exists(path));
        for (int i = 1; i <= 300; ++i) // more than one block
            Test::appendRecord(path, twoFields(), {{QStringLiteral("Colore"), QString::number(i)}});
        QList<qint64> positions;
        QCOMPARE(scanArchive(path, twoFields(),
                             [&](const RecordView& r) {
                                 seen.append(r.field(0));
                                 positions.append(r.position());
                             }),
                 ScanResult::Done);
        QCOMPARE(seen.size(), 300);
        QCOMPARE(seen.first(), QStringLiteral("1"));
        QCOMPARE(seen.last(), QStringLiteral("300"));
        QCOMPARE(positions.at(41), 42);
    }

    void scanCanBeCancelled()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Prova.pro"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(twoFields().encode({}).repeated(5000));
        file.close();
        int visited = 0;
        const ScanResult result = scanArchive(
            path, twoFields(), [&](const RecordView&) { ++visited; }, [](qint64, qint64) { return false; });
        QCOMPARE(result, ScanResult::Cancelled);
        QVERIFY(visited < 5000);
    }

    void locateTakesTheRecordOfTheLineOrTheLastEqualOne()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Prova.pro"));
        for (const char* colour : {"Rosso", "Verde", "Rosso", "Blu"})
            Test::appendRecord(path, twoFields(), {{QStringLiteral("Colore"), QLatin1String(colour)}});
        const auto lineOf = [](const RecordView& r) {
            const QByteArray raw = r.fieldBytes(0);
            return QByteArray(raw.constData(), raw.size());
        };
        QCOMPARE(locateRecord(path, twoFields(), 1, QByteArray("Rosso"), lineOf), 1);
        QCOMPARE(locateRecord(path, twoFields(), 3, QByteArray("Rosso "), lineOf), 3);
        // The archive changed since the list was made: the last record with the line is taken.
        QCOMPARE(locateRecord(path, twoFields(), 2, QByteArray("Rosso"), lineOf), 3);
        QCOMPARE(locateRecord(path, twoFields(), 9, QByteArray("Blu"), lineOf), 4);
        QCOMPARE(locateRecord(path, twoFields(), 1, QByteArray("Nero"), lineOf), -1);
    }
};

RF_REGISTER_TEST(TextSearchTest)
#include "TextSearchTest.moc"
