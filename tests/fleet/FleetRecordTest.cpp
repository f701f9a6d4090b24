#include "fleet/SchedaVeicolo.h"
#include "support/TestMain.h"

#include <QTest>

using namespace rf;

class FleetRecordTest : public QObject {
    Q_OBJECT
private slots:
    void recordWrittenByteByByteDecodes()
    {
        QByteArray bytes(4253, '\0');
        auto put = [&](int offset, const QByteArray& text) {
            bytes[offset] = char(text.size());
            bytes.replace(offset + 1, int(text.size()), text);
        };
        const QByteArray number30("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123");
        put(0, number30);
        put(31, "Bianchi Via Nirone");
        put(1505, "12,50");
        put(2496, "Perch\xE8 costa 5 \x80");
        put(4002, "ricevuta");

        const QStringList texts = TSchedaVeicolo().decode(bytes);
        QCOMPARE(texts.at(0), QString::fromLatin1(number30));
        QCOMPARE(texts.at(1), QStringLiteral("Bianchi Via Nirone"));
        QCOMPARE(texts.at(15), QStringLiteral("12,50"));
        QCOMPARE(texts.at(26), QStringLiteral("Perchè costa 5 €"));
        QCOMPARE(texts.at(32), QStringLiteral("ricevuta"));

        // Encoding the same texts gives the same meaningful bytes back.
        const QByteArray again = TSchedaVeicolo().encode(texts);
        QCOMPARE(again.size(), 4253);
        QCOMPARE(again.at(0), char(30));
        QCOMPARE(again.mid(1, 30), number30);
        QCOMPARE(again.mid(2496, 17), bytes.mid(2496, 17));
    }
};

RF_REGISTER_TEST(FleetRecordTest)
#include "FleetRecordTest.moc"
