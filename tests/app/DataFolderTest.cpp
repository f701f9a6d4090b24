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
    // "--cartella" wins; a program folder that can be written is used as always; otherwise the
    // remembered folder while it exists; otherwise the user is asked.
    void choosesWhereTheDataLive_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("programWritable");
        QTest::addColumn<bool>("remembered");
        QTest::addColumn<Source>("source");
        QTest::newRow("argument") << QStringList{"Rotaflux", "--cartella", "ALTRA"} << true << true
                                  << Source::Argument;
        QTest::newRow("argument with =")
            << QStringList{"Rotaflux", "--cartella=ALTRA"} << false << false << Source::Argument;
        QTest::newRow("program folder") << QStringList{"Rotaflux"} << true << true << Source::ProgramFolder;
        QTest::newRow("remembered") << QStringList{"Rotaflux"} << false << true << Source::Remembered;
        QTest::newRow("first start") << QStringList{"Rotaflux"} << false << false << Source::Ask;
    }
    void choosesWhereTheDataLive()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, programWritable);
        QFETCH(bool, remembered);
        QFETCH(Source, source);
        QTemporaryDir dir;
        const QString program = programWritable
                                    ? dir.filePath(QStringLiteral("programma"))
                                    : dir.filePath(QStringLiteral("file/programma")); // under a file
        QVERIFY(QDir().mkpath(programWritable ? program : dir.path()));
        QFile plainFile(dir.filePath(QStringLiteral("file")));
        QVERIFY(programWritable || plainFile.open(QIODevice::WriteOnly));
        const QString data = dir.filePath(QStringLiteral("dati"));
        QVERIFY(QDir().mkpath(data));
        for (QString& argument : arguments)
            argument.replace(QStringLiteral("ALTRA"), dir.filePath(QStringLiteral("altra")));
        const DataFolder::Choice choice =
            DataFolder::choose(arguments, program, remembered ? data : QString());
        QCOMPARE(choice.source, source);
        const QString expected = source == Source::Argument        ? dir.filePath(QStringLiteral("altra"))
                                 : source == Source::ProgramFolder ? program
                                 : source == Source::Remembered    ? data
                                                                   : QString();
        QCOMPARE(choice.folder, expected);
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
        QVERIFY(DataFolder::prepare(fresh, program));
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
