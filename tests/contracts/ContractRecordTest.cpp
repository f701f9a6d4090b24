#include "contracts/SchedaContratto.h"
#include "support/TestMain.h"

#include <QTest>

using namespace rf;

class ContractRecordTest : public QObject {
    Q_OBJECT
private slots:
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
