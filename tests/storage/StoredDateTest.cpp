#include "storage/Amounts.h"
#include "storage/CalendarNames.h"
#include "support/TestMain.h"

#include <QLocale>
#include <QTest>

using namespace rf;

// Every stored or typed date goes through one parser: dd/mm/yyyy, one- or two-digit day and month,
// a four-digit year. Whatever the bytes of a damaged archive, it answers without overflowing.
class StoredDateTest : public QObject {
    Q_OBJECT
private slots:
    void datesAreReadOnlyInTheirOneForm_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QDate>("stored"); // from the bytes as they are
        QTest::addColumn<QDate>("typed");  // from a text, blanks around it ignored
        const QDate none;
        const auto row = [](const char* name, const QByteArray& text, const QDate& stored,
                            const QDate& typed) { QTest::newRow(name) << text << stored << typed; };
        row("two-digit day and month", "01/02/2026", QDate(2026, 2, 1), QDate(2026, 2, 1));
        row("one-digit day and month", "1/2/2026", QDate(2026, 2, 1), QDate(2026, 2, 1));
        row("leap day", "29/02/2024", QDate(2024, 2, 29), QDate(2024, 2, 29));
        row("blanks around: typed only", " 01/02/2026\t", none, QDate(2026, 2, 1));
        row("blanks inside", "01/ 02/2026", none, none);
        row("empty", "", none, none);
        row("only blanks", "   ", none, none);
        row("only slashes", "//", none, none);
        row("ten digits", "2222222222", none, none);
        row("long digits in every part", "99/99/99999999999", none, none);
        row("long day", "0000000000000000000001/02/2026", none, none);
        row("three-digit month", "01/002/2026", none, none);
        row("two-digit year", "01/02/26", none, none);
        row("five-digit year", "01/02/20260", none, none);
        row("no day", "/02/2026", none, none);
        row("not a day of February", "31/02/2026", none, none);
        row("not a leap year", "29/02/2025", none, none);
        row("month thirteen", "1/13/2024", none, none);
        row("day zero", "00/02/2026", none, none);
        row("year zero", "01/02/0000", none, none);
        row("letters", "ab/cd/efgh", none, none);
        row("dashes", "01-02-2026", none, none);
        row("sign", "+1/02/2026", none, none);
        row("more after the year", "01/02/2026/", none, none);
        row("a zero byte after", QByteArray("01/02/2026\0", 11), none, QDate(2026, 2, 1));
        row("a zero byte inside", QByteArray("01/0\0/2026", 10), none, none);
        row("high bytes", "\xB9/\xB2/2026", none, none);
    }
    void datesAreReadOnlyInTheirOneForm()
    {
        QFETCH(QByteArray, text);
        QFETCH(QDate, stored);
        QFETCH(QDate, typed);
        QCOMPARE(parseStoredDate(text), stored);
        QCOMPARE(parseDate(QString::fromLatin1(text)), typed);
    }

    // A digit outside ASCII is no digit of a date, though it is one to Unicode.
    void onlyAsciiDigitsCount()
    {
        QVERIFY(!parseDate(QStringLiteral("\u0661/02/2026")).isValid());
        QVERIFY(!parseDate(QStringLiteral("01/02/\uFF12\uFF10\uFF12\uFF16")).isValid());
        QVERIFY(!parseDate(QStringLiteral("01\u221502\u22152026")).isValid());
    }

    // A date in a sentence: the article elides before a day read with a vowel (1, 8, 11).
    void datesInASentence_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("on");
        QTest::newRow("11") << QDate(2026, 12, 11) << "dall'11/12/2026"
                            << "l'11/12/2026";
        QTest::newRow("1") << QDate(2026, 1, 1) << "dall'01/01/2026"
                           << "l'01/01/2026";
        QTest::newRow("8") << QDate(2026, 3, 8) << "dall'08/03/2026"
                           << "l'08/03/2026";
        QTest::newRow("12") << QDate(2026, 12, 12) << "dal 12/12/2026"
                            << "il 12/12/2026";
        QTest::newRow("18") << QDate(2026, 5, 18) << "dal 18/05/2026"
                            << "il 18/05/2026";
    }
    void datesInASentence()
    {
        QFETCH(QDate, date);
        QFETCH(QString, from);
        QFETCH(QString, on);
        QCOMPARE(rf::fromDateText(date), from);
        QCOMPARE(rf::onDateText(date), on);
    }

    // Names are Italian whatever the machine's language, and nothing for a number off the calendar.
    void monthAndWeekdayNames_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("month");
        QTest::addColumn<QString>("inText");
        QTest::addColumn<QString>("weekday");
        QTest::addColumn<QString>("initials");
        QTest::newRow("1") << 1 << "Gennaio"
                           << "gennaio"
                           << "Luned\u00EC"
                           << "lu";
        QTest::newRow("7") << 7 << "Luglio"
                           << "luglio"
                           << "Domenica"
                           << "do";
        QTest::newRow("12") << 12 << "Dicembre"
                            << "dicembre"
                            << ""
                            << "";
        QTest::newRow("0") << 0 << ""
                           << ""
                           << ""
                           << "";
        QTest::newRow("13") << 13 << ""
                            << ""
                            << ""
                            << "";
    }
    void monthAndWeekdayNames()
    {
        QFETCH(int, number);
        QFETCH(QString, month);
        QFETCH(QString, inText);
        QFETCH(QString, weekday);
        QFETCH(QString, initials);
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::English));
        QCOMPARE(rf::monthName(number), month);
        QCOMPARE(rf::monthNameInText(number), inText);
        QCOMPARE(rf::weekdayName(number), weekday);
        QCOMPARE(rf::weekdayInitials(number), initials);
        QLocale::setDefault(before);
    }
};

RF_REGISTER_TEST(StoredDateTest)
#include "StoredDateTest.moc"
