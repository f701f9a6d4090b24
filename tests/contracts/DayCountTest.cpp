#include "contracts/DayCount.h"
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
};

RF_REGISTER_TEST(DayCountTest)
#include "DayCountTest.moc"
