#include "contracts/PriceList.h"
#include "storage/Amounts.h"
#include "storage/IniFile.h"
#include "support/Files.h"
#include "support/TestMain.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace rf;
using namespace rf::Test;

namespace {

// City offers every price; Trekking only the day, so the seasons show plainly.
PriceList::List shopList()
{
    PriceList::List list;
    list.tariffs.push_back({QStringLiteral("City"), 800, 1500, 1200, 2500, 7000, 5000});
    list.tariffs.push_back({QStringLiteral("Trekking"), 0, 2000, 0, 0, 0, 0});
    list.seasons.push_back(*PriceList::parseSeason(QStringLiteral("15/06-15/09;+20;alta stagione")));
    list.seasons.push_back(*PriceList::parseSeason(QStringLiteral("20/12-06/01;+10;feste")));
    return list;
}

QDate day(const char* text)
{
    return parseDate(QLatin1String(text));
}

} // namespace

class PriceListTest : public QObject {
    Q_OBJECT
private slots:
    void theCheapestTotalOfTheSpan_data()
    {
        QTest::addColumn<QString>("tariff");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("hours");
        QTest::addColumn<QString>("total"); // empty: no proposal
        QTest::addColumn<QString>("explanation");
        QTest::newRow("3 hours take the 4-hour price") << "City"
                                                       << "05/03/2024"
                                                       << "05/03/2024"
                                                       << "09:00-12:00"
                                                       << "8,00"
                                                       << "fino a 4 ore × 8,00 € = 8,00 €; cauzione 50,00 €";
        QTest::newRow("5 hours are a day") << "City"
                                           << "05/03/2024"
                                           << "05/03/2024"
                                           << "09:00-14:00"
                                           << "15,00"
                                           << "1 g × 15,00 € = 15,00 €; cauzione 50,00 €";
        QTest::newRow("one day, matched trimmed and in any case") << " cITY "
                                                                  << "05/03/2024"
                                                                  << "06/03/2024"
                                                                  << "09:00-10:00"
                                                                  << "15,00"
                                                                  << "";
        QTest::newRow("several days: the first and the further ones")
            << "City"
            << "05/03/2024"
            << "08/03/2024"
            << ""
            << "39,00"
            << "1 g × 15,00 € + 2 gg × 12,00 € = 39,00 €; cauzione 50,00 €";
        QTest::newRow("a weekend costs less than its two days")
            << "City"
            << "09/03/2024"
            << "11/03/2024"
            << ""
            << "25,00"
            << "1 weekend × 25,00 € = 25,00 €; cauzione 50,00 €";
        QTest::newRow("a Saturday alone is a day") << "City"
                                                   << "09/03/2024"
                                                   << "10/03/2024"
                                                   << ""
                                                   << "15,00"
                                                   << "";
        QTest::newRow("a week and a day")
            << "City"
            << "04/03/2024"
            << "12/03/2024"
            << ""
            << "85,00"
            << "1 settimana × 70,00 € + 1 g × 15,00 € = 85,00 €; cauzione 50,00 €";
        QTest::newRow("across the start of a season")
            << "Trekking"
            << "13/06/2024"
            << "17/06/2024"
            << ""
            << "88,00"
            << "2 gg × 20,00 € + 2 gg × 20,00 € (+20% alta stagione) = 88,00 €";
        QTest::newRow("a season wrapping over the new year") << "Trekking"
                                                             << "30/12/2024"
                                                             << "09/01/2025"
                                                             << ""
                                                             << "216,00"
                                                             << "";
        QTest::newRow("a week at the season of its first day")
            << "City"
            << "28/12/2024"
            << "04/01/2025"
            << ""
            << "77,00"
            << "1 settimana × 70,00 € (+10% feste) = 77,00 €; cauzione 50,00 €";
        QTest::newRow("29 February is a day") << "Trekking"
                                              << "28/02/2024"
                                              << "01/03/2024"
                                              << ""
                                              << "40,00"
                                              << "";
        QTest::newRow("no 29 February in 2023") << "Trekking"
                                                << "28/02/2023"
                                                << "01/03/2023"
                                                << ""
                                                << "20,00"
                                                << "";
        QTest::newRow("an unknown tariff") << "Mountain"
                                           << "05/03/2024"
                                           << "08/03/2024"
                                           << ""
                                           << ""
                                           << "";
        QTest::newRow("an empty tariff") << ""
                                         << "05/03/2024"
                                         << "08/03/2024"
                                         << ""
                                         << ""
                                         << "";
        QTest::newRow("an end before the start") << "City"
                                                 << "08/03/2024"
                                                 << "05/03/2024"
                                                 << ""
                                                 << ""
                                                 << "";
    }
    void theCheapestTotalOfTheSpan()
    {
        QFETCH(QString, tariff);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, hours);
        QFETCH(QString, total);
        QFETCH(QString, explanation);
        const QStringList times = hours.split(QLatin1Char('-'));
        const std::optional<PriceList::Proposal> proposal = PriceList::propose(
            shopList(), tariff, parseDate(from), parseDate(to), times.value(0), times.value(1));
        QCOMPARE(proposal.has_value(), !total.isEmpty());
        if (!proposal)
            return;
        QCOMPARE(proposal->total, *amountCents(total));
        QCOMPARE(proposal->deposit,
                 tariff.trimmed().compare(QStringLiteral("City"), Qt::CaseInsensitive) == 0 ? 5000 : 0);
        if (!explanation.isEmpty())
            QCOMPARE(proposal->explanation, explanation);
    }

    // A list that cannot be read proposes nothing and is never saved over; a missing one is empty.
    void anUnreadableListProposesNothingAndIsKept()
    {
        QTemporaryDir folder;
        const QString path = QDir(folder.path()).filePath(QStringLiteral("Listino.ini"));
        QVERIFY(PriceList::load(folder.path()).has_value());
        QVERIFY(PriceList::load(folder.path())->tariffs.empty());
        QVERIFY(QDir().mkpath(path));
        QVERIFY(!PriceList::load(folder.path()));
        QVERIFY(
            !PriceList::propose(folder.path(), QStringLiteral("City"), day("05/03/2024"), day("08/03/2024")));
        QCOMPARE(PriceList::save(folder.path(), shopList()), PriceList::SaveResult::Unreadable);
        QVERIFY(QFileInfo(path).isDir());
    }

    // Saving writes the list and keeps what else the file holds; a tariff removed is read no more.
    void theFileRoundTripsKeepingOtherSectionsAndKeys()
    {
        QTemporaryDir folder;
        const QString path = QDir(folder.path()).filePath(QStringLiteral("Listino.ini"));
        QVERIFY(writeFile(path, "[Note]\r\nAutore=Mario\r\n[Tariffa1]\r\nNome=Vecchia\r\nColore=rosso\r\n"
                                "[Tariffa2]\r\nNome=Altra\r\nGiorno=9\r\n[Tariffa3]\r\nNome=Terza\r\n"
                                "[Stagioni]\r\nCommento=estate\r\nStagione1=01/07-31/08;+30;luglio\r\n"
                                "Stagione2=01/01-31/01;-10;gennaio\r\n"));
        const std::optional<PriceList::List> before = PriceList::load(folder.path());
        QVERIFY(before);
        QCOMPARE(before->tariffs.size(), std::size_t(3));
        QCOMPARE(before->tariffs[1].day, 900);
        QCOMPARE(before->seasons.size(), std::size_t(2));
        QCOMPARE(before->seasons[1].percent, -10);

        const PriceList::List list = shopList();
        QCOMPARE(PriceList::save(folder.path(), list), PriceList::SaveResult::Saved);
        const std::optional<PriceList::List> after = PriceList::load(folder.path());
        QVERIFY(after);
        QVERIFY(*after == list);

        IniFile ini(path);
        QVERIFY(ini.load());
        QCOMPARE(ini.value(QStringLiteral("Note"), QStringLiteral("Autore")), QStringLiteral("Mario"));
        QCOMPARE(ini.value(QStringLiteral("Tariffa1"), QStringLiteral("Colore")), QStringLiteral("rosso"));
        QCOMPARE(ini.value(QStringLiteral("Stagioni"), QStringLiteral("Commento")), QStringLiteral("estate"));
        QCOMPARE(ini.value(QStringLiteral("Tariffa1"), QStringLiteral("Giorno")), QStringLiteral("15,00"));
        QCOMPARE(ini.value(QStringLiteral("Tariffa1"), QStringLiteral("GiornoExtra")),
                 QStringLiteral("12,00"));
        QCOMPARE(ini.value(QStringLiteral("Stagioni"), QStringLiteral("Stagione1")),
                 QStringLiteral("15/06-15/09;+20;alta stagione"));
        QCOMPARE(ini.value(QStringLiteral("Tariffa3"), QStringLiteral("Nome"), QStringLiteral("<none>")),
                 QString());
    }

    void seasonsAreReadAsTheyAreWritten_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("written");
        QTest::newRow("summer") << "15/06-15/09;+20;alta stagione" << true << "15/06-15/09;+20;alta stagione";
        QTest::newRow("short days, a percent sign") << "1/7-3/7; 20% ;" << true << "01/07-03/07;+20;";
        QTest::newRow("a discount with a ; in its name")
            << "01/11-28/02;-15;bassa; inverno" << true << "01/11-28/02;-15;bassa; inverno";
        QTest::newRow("29 February") << "29/02-29/02;+5;bisestile" << true << "29/02-29/02;+5;bisestile";
        QTest::newRow("30 February") << "30/02-01/03;+5;x" << false << "";
        QTest::newRow("no percentage") << "15/06-15/09" << false << "";
        QTest::newRow("a percentage in words") << "15/06-15/09;venti;x" << false << "";
    }
    void seasonsAreReadAsTheyAreWritten()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(QString, written);
        const std::optional<PriceList::Season> season = PriceList::parseSeason(text);
        QCOMPARE(season.has_value(), valid);
        if (season)
            QCOMPARE(PriceList::seasonText(*season), written);
    }
};

RF_REGISTER_TEST(PriceListTest)
#include "PriceListTest.moc"
