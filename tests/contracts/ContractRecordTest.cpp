#include "contracts/SchedaContratto.h"
#include "support/TestMain.h"

#include <QTest>

using namespace rf;

class ContractRecordTest : public QObject {
    Q_OBJECT
private slots:
    void layoutMatchesTheArchiveBytes_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("capacity");
        QTest::newRow("Ditta01") << "Ditta01" << 0 << 250;
        QTest::newRow("Data") << "Data" << 502 << 10;
        QTest::newRow("Sesso") << "Sesso" << 615 << 1;
        QTest::newRow("CodFisc") << "CodFisc" << 728 << 16;
        QTest::newRow("BiciNum") << "BiciNum" << 1131 << 30;
        QTest::newRow("Importo") << "Importo" << 1918 << 10;
        QTest::newRow("TotGiorni") << "TotGiorni" << 2076 << 5;
        QTest::newRow("Note") << "Note" << 3269 << 250;
        QTest::newRow("Riconsegnato") << "Riconsegnato" << 3520 << 2;
        QTest::newRow("File01") << "File01" << 3523 << 250;
        QTest::newRow("Desc03") << "Desc03" << 4778 << 250;
    }
    void layoutMatchesTheArchiveBytes()
    {
        QFETCH(QString, field);
        QFETCH(int, offset);
        QFETCH(int, capacity);
        const RecordLayout& layout = TSchedaContratto();
        QCOMPARE(layout.size(), 5029);
        QCOMPARE(layout.fieldCount(), 55);
        const int i = layout.indexOf(field);
        QVERIFY(i >= 0);
        QCOMPARE(layout.offset(i), offset);
        QCOMPARE(layout.capacity(i), capacity);
    }

    void returnedFlagAndFullNotesAreStoredByteForByte()
    {
        QStringList texts(55, QString());
        texts[TSchedaContratto().indexOf("Note")] = QString(250, QLatin1Char('n'));
        texts[Contracts::ReturnedField] = Contracts::returnedYes();
        texts[TSchedaContratto().indexOf("Cliente")] = QStringLiteral("Niccolò Rossi");
        const QByteArray bytes = TSchedaContratto().encode(texts);
        QCOMPARE(bytes.size(), 5029);
        QCOMPARE(bytes.mid(3520, 3), QByteArray("\x02\x53\xEC"));
        QCOMPARE(quint8(bytes.at(3269)), quint8(250));
        QCOMPARE(bytes.at(564 + 7), char(0xF2)); // ò
        QCOMPARE(TSchedaContratto().decode(bytes), texts);

        texts[Contracts::ReturnedField] = Contracts::returnedNo();
        QCOMPARE(TSchedaContratto().encode(texts).mid(3520, 3), QByteArray("\x02No"));
    }
};

RF_REGISTER_TEST(ContractRecordTest)
#include "ContractRecordTest.moc"
