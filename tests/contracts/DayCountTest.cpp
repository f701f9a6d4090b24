#include "contracts/DayCount.h"
#include "storage/Amounts.h"
#include "support/TestMain.h"

#include <QTest>

using rf::DayCountResult;
using Box = DayCountResult::Box;
using Focus = DayCountResult::Focus;

Q_DECLARE_METATYPE(Box)
Q_DECLARE_METATYPE(Focus)

namespace {

const QString MissingStart = QStringLiteral("Attenzione: per poter effettuare il calcolo dei giorni è "
                                            "necessario indicare la data di inizio noleggio.");
const QString MissingEnd = QStringLiteral(
    "Attenzione: per poter effettuare il calcolo dei giorni è necessario indicare la data di fine noleggio.");

QString invalid(const QString& date)
{
    return QStringLiteral("Attenzione: la data ") + date +
           QStringLiteral(" non esiste.\n\r\n\rPer poter visualizzare il riepilogo è necessario indicare una "
                          "data valida.");
}

// A text not written as a date at all is told how dates are written.
QString notADate(const QString& text)
{
    return QStringLiteral("Attenzione: la data ") + text +
           QStringLiteral(
               " non è valida: le date si scrivono nella forma gg/mm/aaaa, ad esempio 03/01/2027.\n\r\n\r"
               "Per poter visualizzare il riepilogo è necessario indicare una data valida.");
}

} // namespace

class DayCountTest : public QObject {
    Q_OBJECT
private slots:
    void countsCalendarDays_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("days");
        QTest::newRow("two days") << "01/07/2024"
                                  << "03/07/2024"
                                  << "2";
        QTest::newRow("same day counts one") << "01/07/2024"
                                             << "01/07/2024"
                                             << "1";
        QTest::newRow("across the year") << "31/12/2024"
                                         << "01/01/2025"
                                         << "1";
        QTest::newRow("leap day counts") << "28/02/2024"
                                         << "01/03/2024"
                                         << "2";
        QTest::newRow("no leap day in 2023") << "28/02/2023"
                                             << "01/03/2023"
                                             << "1";
        QTest::newRow("blanks around the dates") << " 01/07/2024 "
                                                 << "\t10/07/2024"
                                                 << "9";
        QTest::newRow("a long rental") << "01/01/2024"
                                       << "01/01/2025"
                                       << "366";
    }
    void countsCalendarDays()
    {
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(QString, days);
        const DayCountResult r = rf::Calcola(start, end);
        QCOMPARE(r.box, Box::None);
        QVERIFY(r.message.isEmpty());
        QCOMPARE(r.focus, Focus::None);
        QCOMPARE(r.totGiorni, std::optional<QString>(days));
    }

    void firstFailedCheckShowsItsMessage_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<Box>("box");
        QTest::addColumn<QString>("message");
        QTest::addColumn<Focus>("focus");
        QTest::newRow("empty start, before anything else")
            << "  "
            << "" << Box::Warning << MissingStart << Focus::Start;
        QTest::newRow("empty end") << "01/07/2024"
                                   << " " << Box::Warning << MissingEnd << Focus::End;
        QTest::newRow("empty end before an invalid start") << "31/02/2024"
                                                           << "" << Box::Warning << MissingEnd << Focus::End;
        QTest::newRow("invalid start, trimmed in the message")
            << " 31/02/2024 "
            << "01/03/2024" << Box::Plain << invalid("31/02/2024") << Focus::Start;
        QTest::newRow("invalid start before invalid end")
            << "29/02/2023"
            << "32/01/2024" << Box::Plain << invalid("29/02/2023") << Focus::Start;
        QTest::newRow("invalid end") << "01/07/2024"
                                     << "31/06/2024" << Box::Plain << invalid("31/06/2024") << Focus::End;
        QTest::newRow("not a date at all") << "01/07/2024"
                                           << "domani" << Box::Plain << notADate("domani") << Focus::End;
        QTest::newRow("dashes are not a date")
            << "01-07-2024"
            << "03/07/2024" << Box::Plain << notADate("01-07-2024") << Focus::Start;
        QTest::newRow("end before start names the end first")
            << "03/07/2024 "
            << " 01/07/2024" << Box::Plain
            << QStringLiteral("Attenzione: la data di fine noleggio (01/07/2024) non può essere anteriore a "
                              "quella di inizio noleggio (03/07/2024).\n\r\n\rPer poter visualizzare il "
                              "riepilogo è necessario indicare un intervallo di tempo valido.")
            << Focus::None;
    }
    void firstFailedCheckShowsItsMessage()
    {
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(Box, box);
        QFETCH(QString, message);
        QFETCH(Focus, focus);
        const DayCountResult r = rf::Calcola(start, end);
        QCOMPARE(r.box, box);
        QCOMPARE(r.message, message);
        QCOMPARE(r.focus, focus);
        QVERIFY(!r.totGiorni.has_value()); // the old count stays
    }

    // What a typed date becomes: the stored text, or why Enter cannot import it ("partial",
    // "malformed", "nonexistent").
    void aTypedDateIsStoredAsTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("whole") << "13/12/2026"
                               << "13/12/2026";
        QTest::newRow("one-digit day and month") << "3/1/2027"
                                                 << "03/01/2027";
        QTest::newRow("two-digit year") << "13/12/26"
                                        << "13/12/2026";
        QTest::newRow("no slashes, four-digit year") << "13122026"
                                                     << "13/12/2026";
        QTest::newRow("no slashes, two-digit year") << "080324"
                                                    << "08/03/2024";
        QTest::newRow("slash after the day only") << "8/0324"
                                                  << "08/03/2024";
        QTest::newRow("blanks around") << " 29/02/2024 "
                                       << "29/02/2024";
        QTest::newRow("leap day of a common year") << "29/02/2023"
                                                   << "nonexistent";
        QTest::newRow("day 0") << "00/12/2026"
                               << "nonexistent";
        QTest::newRow("month 13") << "1/13/2026"
                                  << "nonexistent";
        QTest::newRow("day 32") << "32122026"
                                << "nonexistent";
        QTest::newRow("day only") << "13"
                                  << "partial";
        QTest::newRow("day and month") << "13/12"
                                       << "partial";
        QTest::newRow("three-digit year") << "13/12/202"
                                          << "partial";
        QTest::newRow("seven digits") << "1312202"
                                      << "partial";
        QTest::newRow("five-digit year") << "13/12/20266"
                                         << "malformed";
        QTest::newRow("minus sign") << "00/-2147483648/2026"
                                    << "malformed";
        QTest::newRow("three-digit day") << "131/12/2026"
                                         << "malformed";
        QTest::newRow("two slashes together") << "13//2026"
                                              << "malformed";
        QTest::newRow("letters") << "13 dic 2026"
                                 << "malformed";
        QTest::newRow("dashes") << "13-12-2026"
                                << "malformed";
    }
    void aTypedDateIsStoredAsTyped()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        const rf::TypedDate read = rf::readTypedDate(typed);
        using Reading = rf::TypedDate::Reading;
        const QString got = read.reading == Reading::Date          ? rf::formatDate(read.date)
                            : read.reading == Reading::Partial     ? QStringLiteral("partial")
                            : read.reading == Reading::Malformed   ? QStringLiteral("malformed")
                            : read.reading == Reading::Nonexistent ? QStringLiteral("nonexistent")
                                                                   : QStringLiteral("empty");
        QCOMPARE(got, stored);
    }

    // While the year is still being typed, a calendar can already show the day and month.
    void aPartialDateLandsOnTheShownMonth()
    {
        const QDate around(2026, 7, 1);
        QCOMPARE(rf::readTypedDate(QStringLiteral("1"), around).date, QDate()); // 1 or 1x: not yet known
        QCOMPARE(rf::readTypedDate(QStringLiteral("1/"), around).date, QDate(2026, 7, 1));
        QCOMPARE(rf::readTypedDate(QStringLiteral("13"), around).date, QDate(2026, 7, 13));
        QCOMPARE(rf::readTypedDate(QStringLiteral("13/12/20"), around).date, QDate(2020, 12, 13));
        QCOMPARE(rf::readTypedDate(QStringLiteral("13/12/202"), around).date, QDate(2026, 12, 13));
        QCOMPARE(rf::readTypedDate(QStringLiteral("31/"), QDate(2026, 2, 1)).date, QDate()); // no 31 February
    }

    void calcolaProposesATotalOnlyInPlaceOfZero_data()
    {
        QTest::addColumn<QString>("days");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("proposed"); // "-" for none
        QTest::newRow("three days") << "3"
                                    << "12,50"
                                    << "0,00"
                                    << "37,50";
        QTest::newRow("an empty total counts as zero") << "2"
                                                       << "10"
                                                       << ""
                                                       << "20,00";
        QTest::newRow("cents carry") << "7"
                                     << "0,15"
                                     << "0,00"
                                     << "1,05";
        QTest::newRow("a typed total stays") << "3"
                                             << "12,50"
                                             << "30,00"
                                             << "-";
        QTest::newRow("no unit amount") << "3"
                                        << "0,00"
                                        << "0,00"
                                        << "-";
        QTest::newRow("a unit amount that is not a number") << "3"
                                                            << "1,2,3"
                                                            << "0,00"
                                                            << "-";
    }
    void calcolaProposesATotalOnlyInPlaceOfZero()
    {
        QFETCH(QString, days);
        QFETCH(QString, unit);
        QFETCH(QString, total);
        QFETCH(QString, proposed);
        QCOMPARE(rf::proposedTotal(days, unit, total).value_or(QStringLiteral("-")), proposed);
    }
};

RF_REGISTER_TEST(DayCountTest)
#include "DayCountTest.moc"
