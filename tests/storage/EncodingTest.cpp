#include "storage/CountedString.h"
#include "storage/Cp1252.h"
#include "storage/RecordLayout.h"
#include "support/TestMain.h"

#include <QTest>

using namespace rf;

class EncodingTest : public QObject {
    Q_OBJECT
private slots:
    void italianLettersAndEuroRoundTripAsOneByteEach()
    {
        const QString text = QStringLiteral("è à ì ù € Città “perché”");
        const QByteArray bytes = Cp1252::encode(text);
        QCOMPARE(bytes.size(), text.size());
        QCOMPARE(bytes.at(0), char(0xE8));
        QCOMPARE(bytes.at(8), char(0x80));
        QCOMPARE(Cp1252::decode(bytes), text);
    }

    void charactersOutsideTheCodePageBecomeOneReplacementByte()
    {
        // A Greek letter, a CJK character and an emoji outside the basic plane.
        const QString text =
            QStringLiteral("a\u03A9b\u4E2Dc") + QString::fromUcs4(U"\U0001F6B2") + QStringLiteral("d");
        QCOMPARE(Cp1252::encode(text), QByteArray("a?b?c?d"));
    }

    void everyByteSurvivesDecodeThenEncode()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        QCOMPARE(Cp1252::encode(Cp1252::decode(all)), all);
    }

    void putCounted_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("capacity");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("plain") << "Bianchi" << 10
                               << QByteArray("\x07"
                                             "Bianchi\0\0\0",
                                             11);
        QTest::newRow("outer blanks trimmed, inner kept")
            << "  Via  Roma \t" << 10 << QByteArray("\x09Via  Roma\0", 11);
        QTest::newRow("cut to capacity") << "ABCDEFGH" << 5
                                         << QByteArray("\x05"
                                                       "ABCDE");
        QTest::newRow("empty") << "   " << 3 << QByteArray("\0\0\0\0", 4);
        QTest::newRow("euro is one byte") << "5 €" << 4
                                          << QByteArray("\x03"
                                                        "5 \x80\0",
                                                        5);
    }
    void putCounted()
    {
        QFETCH(QString, text);
        QFETCH(int, capacity);
        QFETCH(QByteArray, stored);
        QCOMPARE(PutCounted(text, capacity), stored);
    }

    void longTextIsStoredAsItsFirstBytesAndReadBackTrimmed()
    {
        const QString text = QString(300, QLatin1Char('x'));
        const QByteArray field = PutCounted(text, 250);
        QCOMPARE(field.size(), 251);
        QCOMPARE(GetCounted(field.constData(), 250), QString(250, QLatin1Char('x')));

        // Written by another program: trailing blanks in the text are not shown.
        const QByteArray foreign("\x06 ab  \x01", 7);
        QCOMPARE(GetCounted(foreign.constData(), 6), QStringLiteral("ab"));
    }

    void lengthByteBeyondCapacityReadsNoFurtherThanTheField()
    {
        const QByteArray field("\xFF"
                               "abc"
                               "NEXT",
                               8);
        QCOMPARE(GetCounted(field.constData(), 3), QStringLiteral("abc"));
    }

    void layoutComputesOffsetsAndEncodesInRecordOrder()
    {
        const RecordLayout layout{{"Uno", 3}, {"Due", 10}, {"Tre", 1}};
        QCOMPARE(layout.size(), 4 + 11 + 2);
        QCOMPARE(layout.offset(1), 4);
        QCOMPARE(layout.offset(2), 15);
        QCOMPARE(layout.indexOf(QStringLiteral("Tre")), 2);
        QCOMPARE(layout.indexOf(QStringLiteral("Quattro")), -1);

        const QByteArray bytes =
            layout.encode({QStringLiteral("ab"), QStringLiteral("città"), QStringLiteral("S")});
        QCOMPARE(bytes.size(), layout.size());
        QCOMPARE(bytes.at(4), char(5));
        QCOMPARE(bytes.at(9), char(0xE0));
        QCOMPARE(bytes.at(15), char(1));
        QCOMPARE(layout.decode(bytes), (QStringList{"ab", QStringLiteral("città"), "S"}));

        Record record(layout, layout.decode(bytes));
        record.setValue(QStringLiteral("Due"), QStringLiteral("Milano"));
        QCOMPARE(Record(layout, layout.decode(record.encode())).value(QStringLiteral("Due")),
                 QStringLiteral("Milano"));
    }
};

RF_REGISTER_TEST(EncodingTest)
#include "EncodingTest.moc"
