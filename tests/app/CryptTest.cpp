#include "app/Crypt.h"
#include "app/PasswordStore.h"

#include "support/TestMain.h"

#include <QTest>

using rf::PasswordStore;
using namespace rf::Crypt;

namespace {
QString codes(int first, int count)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text.append(QChar(char16_t(first + i)));
    return text;
}
} // namespace

class CryptTest : public QObject {
    Q_OBJECT
private slots:
    void knownValuesBothWays_data();
    void knownValuesBothWays();
    void roundTripGivesTextBack_data();
    void roundTripGivesTextBack();
    void lastCharacterChangesOnlyLastTwoDigits_data();
    void lastCharacterChangesOnlyLastTwoDigits();
    void decodingReadsEitherCaseAndIgnoresOddDigit_data();
    void decodingReadsEitherCaseAndIgnoresOddDigit();
    void decodingRejectsNonHexPairs_data();
    void decodingRejectsNonHexPairs();
    void storedFormUpperCasesAToZAndTrims_data();
    void storedFormUpperCasesAToZAndTrims();
    void scramblerTakesAtMost255LatinCharacters_data();
    void scramblerTakesAtMost255LatinCharacters();
};

void CryptTest::knownValuesBothWays_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("hex");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("one letter") << "A"
                                << "4E";
    QTest::newRow("key advances") << "ABC"
                                  << "4E0ADE";
    QTest::newRow("first-access password") << "PRIMAVERAVERDE"
                                           << "5FE268762E07DB2A1E6B27CE8487";
    QTest::newRow("leading zero kept") << QString(QChar(0)) << "0F";
    QTest::newRow("code 255") << QString(QChar(0xFF)) << "F0";
    QTest::newRow("accented letter") << QString(QChar(0xE8)) << "E7";
}

void CryptTest::knownValuesBothWays()
{
    QFETCH(QString, text);
    QFETCH(QString, hex);
    QCOMPARE(CodificaPassword(text), hex);
    bool ok = false;
    QCOMPARE(DecodificaPassword(hex, &ok), text);
    QVERIFY(ok);
}

void CryptTest::roundTripGivesTextBack_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("codes 0 to 254") << codes(0, 255);
    QTest::newRow("codes 1 to 255") << codes(1, 255);
    QTest::newRow("blanks and accents") << QStringLiteral(" città è già ");
}

void CryptTest::roundTripGivesTextBack()
{
    QFETCH(QString, text);
    const QString hex = CodificaPassword(text);
    QCOMPARE(hex.size(), 2 * text.size());
    QCOMPARE(hex, hex.toUpper());
    bool ok = false;
    QCOMPARE(DecodificaPassword(hex, &ok), text);
    QVERIFY(ok);
}

void CryptTest::lastCharacterChangesOnlyLastTwoDigits_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("one character") << "A"
                                   << "B";
    QTest::newRow("word") << "PRIMAVERAVERDE"
                          << "PRIMAVERAVERDA";
    QTest::newRow("long") << codes(1, 254) + QChar(0) << codes(1, 254) + QChar(0xFF);
}

void CryptTest::lastCharacterChangesOnlyLastTwoDigits()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    const QString a = CodificaPassword(first);
    const QString b = CodificaPassword(second);
    QCOMPARE(a.chopped(2), b.chopped(2));
    QVERIFY(a.right(2) != b.right(2));
}

void CryptTest::decodingReadsEitherCaseAndIgnoresOddDigit_data()
{
    QTest::addColumn<QString>("hex");
    QTest::addColumn<QString>("text");
    QTest::newRow("lower case") << "4e0ade"
                                << "ABC";
    QTest::newRow("mixed case") << "4e0aDe"
                                << "ABC";
    QTest::newRow("odd digit ignored") << "4E0ADE7"
                                       << "ABC";
    QTest::newRow("odd non-hex digit ignored") << "4E0ADEz"
                                               << "ABC";
    QTest::newRow("single digit") << "4"
                                  << "";
}

void CryptTest::decodingReadsEitherCaseAndIgnoresOddDigit()
{
    QFETCH(QString, hex);
    QFETCH(QString, text);
    bool ok = false;
    QCOMPARE(DecodificaPassword(hex, &ok), text);
    QVERIFY(ok);
}

void CryptTest::decodingRejectsNonHexPairs_data()
{
    QTest::addColumn<QString>("hex");
    QTest::newRow("letter beyond F") << "4G";
    QTest::newRow("bad last pair") << "4E0AZZ";
    QTest::newRow("blank in a pair") << " 4E0";
    QTest::newRow("sign") << "+1";
    QTest::newRow("prefix") << "0x4E";
    QTest::newRow("full-width digit") << QStringLiteral("\uFF14E");
}

void CryptTest::decodingRejectsNonHexPairs()
{
    QFETCH(QString, hex);
    bool ok = true;
    DecodificaPassword(hex, &ok);
    QVERIFY(!ok);
}

void CryptTest::storedFormUpperCasesAToZAndTrims_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("mixed case, blanks") << "  PrimaVera verde1 "
                                        << "PRIMAVERA VERDE1";
    QTest::newRow("control characters trimmed") << QStringLiteral("\t\x01"
                                                                  "abc\x1f\r\n")
                                                << "ABC";
    QTest::newRow("accented letters kept") << QStringLiteral("caffè É") << QStringLiteral("CAFFè É");
    QTest::newRow("blanks only") << " \t "
                                 << "";
    QTest::newRow("no-break space kept") << QStringLiteral("\u00A0a") << QStringLiteral("\u00A0A");
}

void CryptTest::storedFormUpperCasesAToZAndTrims()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QCOMPARE(PasswordStore::storedForm(typed), stored);
}

void CryptTest::scramblerTakesAtMost255LatinCharacters_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("fits");
    QTest::newRow("255 characters") << QString(255, QLatin1Char('A')) << true;
    QTest::newRow("256 characters") << QString(256, QLatin1Char('A')) << false;
    QTest::newRow("code 255") << QStringLiteral("\u00FF") << true;
    QTest::newRow("euro sign") << QStringLiteral("PREZZO\u20AC") << false;
    QTest::newRow("code 256") << QStringLiteral("\u0100") << false;
}

void CryptTest::scramblerTakesAtMost255LatinCharacters()
{
    QFETCH(QString, stored);
    QFETCH(bool, fits);
    QCOMPARE(PasswordStore::fitsScrambler(stored), fits);
}

RF_REGISTER_TEST(CryptTest)
#include "CryptTest.moc"
