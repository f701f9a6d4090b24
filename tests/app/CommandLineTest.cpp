#include "app/CommandLine.h"
#include "support/TestMain.h"

#include <QTest>

using namespace rf;

class CommandLineTest : public QObject {
    Q_OBJECT
private slots:
    void answersBeforeAnyWindow_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<bool>("answered");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("says");
        const QStringList screen{QStringLiteral("DISPLAY=:0")};
        const QStringList none{QStringLiteral("HOME=/home/anna")};
        QTest::newRow("help without a display")
            << QStringList{"rotaflux", "--help"} << none << true << 0 << "--cartella CARTELLA";
        QTest::newRow("version without a display")
            << QStringList{"rotaflux", "--version"} << none << true << 0 << "Rotaflux 1.";
        QTest::newRow("a folder named --help is a folder")
            << QStringList{"rotaflux", "--cartella", "--help"} << screen << false << 0 << "";
        QTest::newRow("plain start on a display") << QStringList{"rotaflux"} << screen << false << 0 << "";
        QTest::newRow("wayland session")
            << QStringList{"rotaflux"} << QStringList{"WAYLAND_DISPLAY=wayland-0"} << false << 0 << "";
        QTest::newRow("no display") << QStringList{"rotaflux", "--cartella", "/srv/rotaflux"} << none << true
                                    << int(CommandLine::NoDisplayExit) << "nessuno schermo";
        QTest::newRow("a platform chosen by the user")
            << QStringList{"rotaflux"} << QStringList{"QT_QPA_PLATFORM=offscreen"} << false << 0 << "";
    }
    void answersBeforeAnyWindow()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, environment);
        QFETCH(bool, answered);
        QFETCH(int, exitCode);
        QFETCH(QString, says);
        const auto answer = CommandLine::answerBeforeWindows(arguments, environment);
        QCOMPARE(answer.has_value(), answered);
        if (answer) {
            QCOMPARE(answer->exitCode, exitCode);
            QCOMPARE(answer->toErrors, exitCode != 0);
            QVERIFY2(answer->text.contains(says), qPrintable(answer->text));
        }
    }
};

RF_REGISTER_TEST(CommandLineTest)
#include "CommandLineTest.moc"
