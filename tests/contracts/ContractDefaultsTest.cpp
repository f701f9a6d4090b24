#include "contracts/ContractDefaults.h"
#include "storage/IniFile.h"
#include "support/Files.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace Defaults = rf::ContractDefaults;

using rf::Test::readFile;
using rf::Test::writeFile;

namespace {

Defaults::Values sample()
{
    return {QStringLiteral("Noleggio Bici Caffè & C. s.n.c."),
            QStringLiteral("P. IVA 01234567890"),
            QStringLiteral("Riva"),
            QStringLiteral("Via Roma 1"),
            QStringLiteral("Via Roma 1"),
            QStringLiteral("Trento"),
            QStringLiteral("RC 12345 - massimale 500.000 €"),
            QStringLiteral("Mario Rossi")};
}

} // namespace

class ContractDefaultsTest : public QObject {
    Q_OBJECT

private slots:
    void roundTripStoresWindows1252()
    {
        QTemporaryDir dir;
        QVERIFY(Defaults::write(dir.path(), sample()));
        QCOMPARE(Defaults::read(dir.path()), sample());

        const QByteArray bytes = readFile(Defaults::filePath(dir.path()));
        QVERIFY(bytes.contains("Ditta Rigo 1=Noleggio Bici Caff\xe8 & C. s.n.c.\r\n"));
        QVERIFY(bytes.contains("Polizze=RC 12345 - massimale 500.000 \x80\r\n"));
        QVERIFY(!bytes.contains("\xc3\xa8")); // no UTF-8
    }

    void firstStartReadsEmptyAndWriteCreatesAllKeys()
    {
        QTemporaryDir dir;
        const Defaults::Values empty = Defaults::read(dir.path());
        for (const QString& value : empty)
            QVERIFY(value.isEmpty());

        Defaults::Values values;
        values[0] = QStringLiteral("  Bici Sport  ");
        values[3] = QStringLiteral("\t Piazza Duomo 3 ");
        QVERIFY(Defaults::write(dir.path(), values));

        // Every key in table order, blanks around the values gone, empty values written too.
        QCOMPARE(readFile(QDir(dir.path()).filePath(QStringLiteral("Rotaflux.ini"))).trimmed(),
                 QByteArray("[Contratti DOZ]\r\n"
                            "Ditta Rigo 1=Bici Sport\r\n"
                            "Ditta Rigo 2=\r\n"
                            "Luogo=\r\n"
                            "Sede Ritiro=Piazza Duomo 3\r\n"
                            "Sede Riconsegna=\r\n"
                            "Foro=\r\n"
                            "Polizze=\r\n"
                            "Titolare Privacy="));
        QCOMPARE(Defaults::read(dir.path())[3], QStringLiteral("Piazza Duomo 3"));
    }

    void writeKeepsEverythingElseInTheFile()
    {
        QTemporaryDir dir;
        const QString path = Defaults::filePath(dir.path());
        QVERIFY(writeFile(path, "[Stampa]\r\nCopie=2\r\n"
                                "[Contratti DOZ]\r\nLuogo=Arco\r\nNota=tenere\r\n"
                                "[Altro]\r\nChiave=valore\r\n"));
        QCOMPARE(Defaults::read(dir.path())[2], QStringLiteral("Arco"));

        QVERIFY(Defaults::write(dir.path(), sample()));
        rf::IniFile ini(path);
        QVERIFY(ini.load());
        QCOMPARE(ini.value(QStringLiteral("Stampa"), QStringLiteral("Copie")), QStringLiteral("2"));
        QCOMPARE(ini.value(QStringLiteral("Contratti DOZ"), QStringLiteral("Nota")),
                 QStringLiteral("tenere"));
        QCOMPARE(ini.value(QStringLiteral("Altro"), QStringLiteral("Chiave")), QStringLiteral("valore"));
        QCOMPARE(Defaults::read(dir.path()), sample());
    }

    void unreadableFileIsNeverWrittenOver()
    {
        QTemporaryDir dir;
        const QString path = Defaults::filePath(dir.path());
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Rotaflux.ini")));

        for (const QString& value : Defaults::read(dir.path()))
            QVERIFY(value.isEmpty());
        QVERIFY(!Defaults::write(dir.path(), sample()));
        QVERIFY(QFileInfo(path).isDir());
    }
};

RF_REGISTER_TEST(ContractDefaultsTest)
#include "ContractDefaultsTest.moc"
