#include "storage/NumberOrder.h"
#include "support/TestMain.h"

#include <QTest>

using namespace rf;

class NumberOrderTest : public QObject {
    Q_OBJECT
private slots:
    void digitsCompareAsNumbers_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("9 before 10") << "9"
                                     << "10";
        QTest::newRow("B-2 before B-10") << "B-2"
                                         << "B-10";
        QTest::newRow("letters case aside") << "b-3"
                                            << "B-4";
        QTest::newRow("blanks ignored") << " 2"
                                        << "10 ";
        QTest::newRow("numbers before letters") << "10"
                                                << "A";
        QTest::newRow("accented beside plain") << "E-1"
                                               << "È-2";
        QTest::newRow("leading zeros aside") << "B-9x"
                                             << "B-010";
        QTest::newRow("first number that differs") << "B-2-30"
                                                   << "B-10-1";
        QTest::newRow("text after the number decides") << "B-2a"
                                                       << "B-2b";
        QTest::newRow("longer name, same number") << "B-2"
                                                  << "B-2-1";
    }
    void digitsCompareAsNumbers()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QVERIFY(numberOrderLess(before, after));
        QVERIFY(!numberOrderLess(after, before));
    }
    void sameNameComparesEqual()
    {
        QCOMPARE(numberOrderCompare(QStringLiteral("b-1"), QStringLiteral(" B-1")), 0);
    }
};

RF_REGISTER_TEST(NumberOrderTest)
#include "NumberOrderTest.moc"
