#include "app/DataFolder.h"
#include "app/PasswordStore.h"
#include "app/ui/TfrmCartella.h"
#include "support/FakeContext.h"
#include "support/Gui.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

using namespace rf;
using namespace rf::Test;
using Source = DataFolder::Choice::Source;

Q_DECLARE_METATYPE(Source)

class DataFolderTest : public QObject {
    Q_OBJECT
private slots:
    // "--cartella" wins while it names a folder; a program folder that can be written is used as
    // always, but never by the packaged program; otherwise the remembered folder while it holds the
    // shop's data; otherwise the user is asked. A folder named or remembered that is missing, or
    // remembered and empty (a share that did not mount), is unreachable, never a new shop.
    void choosesWhereTheDataLive_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("programWritable");
        QTest::addColumn<bool>("programAllowed");
        QTest::addColumn<QString>("remembered"); // "", "dati" (with data), "vuota", "manca"
        QTest::addColumn<Source>("source");
        QTest::addColumn<QString>("folder");
        QTest::newRow("argument") << QStringList{"Rotaflux", "--cartella", "ALTRA"} << true << true << "dati"
                                  << Source::Argument << "altra";
        QTest::newRow("argument with =") << QStringList{"Rotaflux", "--cartella=ALTRA"} << false << true << ""
                                         << Source::Argument << "altra";
        QTest::newRow("argument to a missing folder")
            << QStringList{"Rotaflux", "--cartella", "MANCA"} << false << true << "dati"
            << Source::Unreachable << "manca";
        QTest::newRow("program folder")
            << QStringList{"Rotaflux"} << true << true << "dati" << Source::ProgramFolder << "programma";
        QTest::newRow("packaged program, even as root")
            << QStringList{"Rotaflux"} << true << false << "dati" << Source::Remembered << "dati";
        QTest::newRow("remembered") << QStringList{"Rotaflux"} << false << true << "dati"
                                    << Source::Remembered << "dati";
        QTest::newRow("remembered, share not mounted")
            << QStringList{"Rotaflux"} << false << true << "vuota" << Source::Unreachable << "vuota";
        QTest::newRow("remembered, gone")
            << QStringList{"Rotaflux"} << false << true << "manca" << Source::Unreachable << "manca";
        QTest::newRow("first start") << QStringList{"Rotaflux"} << false << true << "" << Source::Ask << "";
        QTest::newRow("packaged first start")
            << QStringList{"Rotaflux"} << true << false << "" << Source::Ask << "";
    }
    void choosesWhereTheDataLive()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, programWritable);
        QFETCH(bool, programAllowed);
        QFETCH(QString, remembered);
        QFETCH(Source, source);
        QFETCH(QString, folder);
        QTemporaryDir dir;
        const QString program = programWritable
                                    ? dir.filePath(QStringLiteral("programma"))
                                    : dir.filePath(QStringLiteral("file/programma")); // under a file
        QVERIFY(QDir().mkpath(programWritable ? program : dir.path()));
        QFile plainFile(dir.filePath(QStringLiteral("file")));
        QVERIFY(programWritable || plainFile.open(QIODevice::WriteOnly));
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("dati"))));
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("altra"))));
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("vuota"))));
        QFile archive(dir.filePath(QStringLiteral("dati/Parco_Veicoli.pro")));
        QVERIFY(archive.open(QIODevice::WriteOnly));
        archive.close();
        for (QString& argument : arguments) {
            argument.replace(QStringLiteral("ALTRA"), dir.filePath(QStringLiteral("altra")));
            argument.replace(QStringLiteral("MANCA"), dir.filePath(QStringLiteral("manca")));
        }
        const DataFolder::Choice choice = DataFolder::choose(
            arguments, program, remembered.isEmpty() ? QString() : dir.filePath(remembered), programAllowed);
        QCOMPARE(choice.source, source);
        QCOMPARE(choice.folder, folder.isEmpty()                       ? QString()
                                : folder == QLatin1String("programma") ? program
                                                                       : dir.filePath(folder));
        // Nothing was made on the way.
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("manca"))));
    }

    // A new data folder is made and given the first password file; one that has its own keeps it.
    void prepareGivesANewFolderThePasswordFile()
    {
        QTemporaryDir dir;
        const QString program = dir.filePath(QStringLiteral("programma"));
        QVERIFY(QDir().mkpath(program));
        QFile first(QDir(program).filePath(QString::fromLatin1(PasswordStore::FileName)));
        QVERIFY(first.open(QIODevice::WriteOnly));
        first.write("prima");
        first.close();
        const QString fresh = dir.filePath(QStringLiteral("nuova/cartella"));
        // A folder that is not there is made only when the user asked for a new one.
        QVERIFY(!DataFolder::prepare(fresh, program));
        QVERIFY(!QFileInfo::exists(fresh));
        QVERIFY(DataFolder::prepare(fresh, program, DataFolder::Create::IfMissing));
        QFile copied(QDir(fresh).filePath(QString::fromLatin1(PasswordStore::FileName)));
        QVERIFY(copied.open(QIODevice::ReadOnly));
        QCOMPARE(copied.readAll(), QByteArray("prima"));
        copied.close();
        QVERIFY(copied.open(QIODevice::WriteOnly));
        copied.write("cambiata");
        copied.close();
        QVERIFY(DataFolder::prepare(fresh, program));
        QVERIFY(copied.open(QIODevice::ReadOnly));
        QCOMPARE(copied.readAll(), QByteArray("cambiata"));
        QVERIFY(!DataFolder::prepare(QDir(fresh).filePath(QString::fromLatin1(PasswordStore::FileName)),
                                     program));
    }

    // The first-start dialog: the home folder offered, Sfoglia picks another, Continua makes it
    // ready; a relative path is refused; Esci gives up.
    void firstStartDialogPicksAndPrepares()
    {
        QTemporaryDir dir;
        FakeMessages messages;
        const QString picked = dir.filePath(QStringLiteral("rete/Rotaflux"));
        TfrmCartella ask(
            messages, [&](QWidget*, const QString&) { return picked; }, dir.path());
        ask.show();
        QVERIFY(QTest::qWaitForWindowActive(&ask));
        auto* field = required<QLineEdit>(&ask, QStringLiteral("txtCartella"));
        QCOMPARE(QDir::fromNativeSeparators(field->text()), DataFolder::suggested());
        field->setText(QStringLiteral("relativa"));
        QVERIFY(click(&ask, QStringLiteral("btnContinua")));
        QCOMPARE(messages.count(), 1);
        QVERIFY(ask.isVisible());
        QVERIFY(click(&ask, QStringLiteral("btnSfoglia")));
        QCOMPARE(QDir::fromNativeSeparators(field->text()), picked);
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(ask.result(), int(QDialog::Accepted));
        QCOMPARE(ask.chosen(), picked);
        QVERIFY(QFileInfo(picked).isDir());

        TfrmCartella again(
            messages, [](QWidget*, const QString&) { return QString(); }, dir.path());
        again.show();
        QVERIFY(QTest::qWaitForWindowActive(&again));
        QTest::keyClick(&again, Qt::Key_Escape);
        QCOMPARE(again.result(), int(QDialog::Rejected));
        QVERIFY(again.chosen().isEmpty());
    }
};

RF_REGISTER_TEST(DataFolderTest)
#include "DataFolderTest.moc"
