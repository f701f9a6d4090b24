#include "app/GuideTexts.h"
#include "app/ui/TfrmAvvio.h"
#include "common/ui/PictureButton.h"
#include "support/FakeContext.h"
#include "support/Gui.h"
#include "support/TestMain.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>
#include <vector>

using namespace rf;

namespace {

enum class Signal { Fleet, Planner, Contracts, Backup, Exit };

} // namespace

Q_DECLARE_METATYPE(Signal)

namespace {

// Clicks control, waits for the modal window it opens, lets inspect look at it and closes it.
// Returns the objectName of the window that appeared (empty if none did).
QString clickAndCloseModal(QWidget* control, const std::function<void(QWidget*)>& inspect = {})
{
    QString seen;
    const bool closed = rf::Test::driveModal([control] { QTest::mouseClick(control, Qt::LeftButton); },
                                             [&](QWidget* modal) {
                                                 seen = modal->objectName();
                                                 if (inspect)
                                                     inspect(modal);
                                                 modal->close();
                                             });
    return closed ? seen : QString();
}

} // namespace

class LauncherTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_fake = std::make_unique<Test::FakeContext>();
        m_launcher = std::make_unique<TfrmAvvio>(m_fake->context());
        m_launcher->resize(1280, 760);
        m_launcher->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_launcher.get()));
    }
    void cleanup()
    {
        m_launcher.reset();
        m_fake.reset();
    }

    void picturesEmitTheirSignal_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<Signal>("expected");
        QTest::newRow("fleet tile") << "imgApp01" << Signal::Fleet;
        QTest::newRow("fleet button") << "btnApp01" << Signal::Fleet;
        QTest::newRow("planner tile") << "imgApp02" << Signal::Planner;
        QTest::newRow("planner button") << "btnApp02" << Signal::Planner;
        QTest::newRow("contracts tile") << "imgApp03" << Signal::Contracts;
        QTest::newRow("contracts button") << "btnApp03" << Signal::Contracts;
        QTest::newRow("backup icon") << "imgCopia" << Signal::Backup;
        QTest::newRow("exit icon") << "imgEsci" << Signal::Exit;
    }
    void picturesEmitTheirSignal()
    {
        QFETCH(QString, control);
        QFETCH(Signal, expected);
        QSignalSpy fleet(m_launcher.get(), &TfrmAvvio::openFleet);
        QSignalSpy planner(m_launcher.get(), &TfrmAvvio::openPlanner);
        QSignalSpy contracts(m_launcher.get(), &TfrmAvvio::openContracts);
        QSignalSpy backup(m_launcher.get(), &TfrmAvvio::openBackup);
        QSignalSpy exit(m_launcher.get(), &TfrmAvvio::exitRequested);

        auto* picture = m_launcher->findChild<PictureButton*>(control);
        QVERIFY(picture);
        QTest::mouseClick(picture, Qt::LeftButton);

        QCOMPARE(fleet.count(), expected == Signal::Fleet ? 1 : 0);
        QCOMPARE(planner.count(), expected == Signal::Planner ? 1 : 0);
        QCOMPARE(contracts.count(), expected == Signal::Contracts ? 1 : 0);
        QCOMPARE(backup.count(), expected == Signal::Backup ? 1 : 0);
        QCOMPARE(exit.count(), expected == Signal::Exit ? 1 : 0);
    }

    // Keys from the first tile (which has the focus when the launcher is shown), then Enter: the
    // tile reached is the one opened, and its number opens it as well.
    void keyboardReachesAndOpensEveryTile_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("tile");
        QTest::newRow("first") << QList<int>{} << 1;
        QTest::newRow("Tab") << QList<int>{Qt::Key_Tab} << 2;
        QTest::newRow("Tab Tab Tab") << QList<int>{Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab} << 4;
        QTest::newRow("Shift+Tab back") << QList<int>{Qt::Key_Tab, Qt::Key_Backtab} << 1;
        QTest::newRow("right right") << QList<int>{Qt::Key_Right, Qt::Key_Right} << 3;
        QTest::newRow("left wraps to the last") << QList<int>{Qt::Key_Left} << 4;
        QTest::newRow("right from the last wraps") << QList<int>{Qt::Key_Left, Qt::Key_Right} << 1;
        QTest::newRow("down and up") << QList<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Up} << 2;
    }
    void keyboardReachesAndOpensEveryTile()
    {
        QFETCH(QList<int>, keys);
        QFETCH(int, tile);
        using Open = void (TfrmAvvio::*)();
        const std::array<Open, 4> opens{&TfrmAvvio::openFleet, &TfrmAvvio::openPlanner,
                                        &TfrmAvvio::openContracts, &TfrmAvvio::openToday};
        m_launcher->showWindow();
        QTRY_VERIFY(m_launcher->isActiveWindow());
        const QString name = QString("btnApp%1").arg(tile, 2, 10, QChar('0'));
        auto* target = m_launcher->findChild<PictureButton*>(name);
        QVERIFY(target);
        QVERIFY2(target->toolTip().contains(QString("(tasto %1)").arg(tile)), qPrintable(target->toolTip()));
        QTRY_COMPARE(QApplication::focusWidget(), m_launcher->findChild<QWidget*>("btnApp01"));
        for (const int key : keys) {
            const Qt::KeyboardModifiers modifiers =
                key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier;
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
        }
        QCOMPARE(QApplication::focusWidget(), target);

        std::vector<std::unique_ptr<QSignalSpy>> spies;
        for (const Open open : opens)
            spies.push_back(std::make_unique<QSignalSpy>(m_launcher.get(), open));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(Qt::Key_0 + tile));
        for (int i = 0; i < 4; ++i)
            QCOMPARE(spies[std::size_t(i)]->count(), i + 1 == tile ? 2 : 0);
    }

    void releaseAwayFromThePictureIsNoClick()
    {
        auto* tile = m_launcher->findChild<PictureButton*>("imgApp01");
        QSignalSpy fleet(m_launcher.get(), &TfrmAvvio::openFleet);
        QTest::mousePress(tile, Qt::LeftButton);
        QTest::mouseRelease(tile, Qt::LeftButton, {}, QPoint(tile->width() + 20, 10));
        QCOMPARE(fleet.count(), 0);
        QVERIFY(!tile->isDown());
    }

    void closingTheWindowAsksToExit()
    {
        QSignalSpy exit(m_launcher.get(), &TfrmAvvio::exitRequested);
        QVERIFY(m_launcher->close());
        QCOMPARE(exit.count(), 1);
        QVERIFY(!m_launcher->isVisible());
    }

    void siteStripOpensTheWebSite()
    {
        QTest::mouseClick(m_launcher->findChild<PictureButton*>("imgSito"), Qt::LeftButton);
        QCOMPARE(m_fake->shell().opened, QStringList{"https://www.rotaflux.it"});
    }

    void iconsOpenTheirWindowModally_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("window");
        QTest::newRow("information") << "imgInfo"
                                     << "frmInfo";
        QTest::newRow("guide") << "imgGuida"
                               << "frmGuida";
        QTest::newRow("credits") << "imgCrediti"
                                 << "frmSplash";
    }
    void iconsOpenTheirWindowModally()
    {
        QFETCH(QString, control);
        QFETCH(QString, window);
        QWidget* owner = nullptr;
        const QString seen = clickAndCloseModal(m_launcher->findChild<PictureButton*>(control),
                                                [&](QWidget* modal) { owner = modal->parentWidget(); });
        QCOMPARE(seen, window);
        QCOMPARE(owner, m_launcher.get());
        QVERIFY(m_launcher->isVisible());
    }

    void guideShowsTheOverview()
    {
        QString title;
        QString body;
        clickAndCloseModal(m_launcher->findChild<PictureButton*>("imgGuida"), [&](QWidget* modal) {
            title = modal->findChild<QLabel*>("lblTitolo")->text();
            body = modal->findChild<QPlainTextEdit*>("txtGuida")->toPlainText();
        });
        QCOMPARE(title, QString("Uno sguardo a Rotaflux"));
        QVERIFY(body.startsWith(QString::fromUtf8("Rotaflux è un software rivolto alle ditte di noleggio")));
        QVERIFY(body.contains(Guide::fleetParagraphs().first()));
    }

    void panelStaysCentredAtItsSize()
    {
        auto* panel = m_launcher->findChild<QWidget*>("panAvvio");
        QVERIFY(panel);
        for (const QSize size : {QSize(1016, 713), QSize(1280, 760), QSize(1600, 1000)}) {
            m_launcher->resize(size);
            QTRY_COMPARE(m_launcher->size(), size);
            QTRY_COMPARE(panel->size(), QSize(TfrmAvvio::PanelWidth, TfrmAvvio::PanelHeight));
            const QPoint offset = panel->geometry().center() - m_launcher->rect().center();
            QVERIFY2(qAbs(offset.x()) <= 1 && qAbs(offset.y()) <= 1,
                     qPrintable(QString("offset %1,%2 at %3x%4")
                                    .arg(offset.x())
                                    .arg(offset.y())
                                    .arg(size.width())
                                    .arg(size.height())));
        }
    }

private:
    std::unique_ptr<Test::FakeContext> m_fake;
    std::unique_ptr<TfrmAvvio> m_launcher;
};

RF_REGISTER_TEST(LauncherTest)
#include "LauncherTest.moc"
