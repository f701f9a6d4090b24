#include "common/ui/FrameTimes.h"
#include "support/TestMain.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

using namespace rf;

class FrameTimesTest : public QObject {
    Q_OBJECT
private slots:
    // A click and an Enter on a button are each reported once, named after the button, with a time
    // that covers the work the click did before the answer could be painted.
    void inputToFrame_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("mouse") << false;
        QTest::newRow("Enter") << true;
    }
    void inputToFrame()
    {
        QFETCH(bool, byKey);
        QStringList lines;
        FrameTimes times([&lines](const QString& line) { lines << line; });
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* button = new QPushButton(QStringLiteral("Cerca"), &window);
        button->setObjectName(QStringLiteral("btnCerca"));
        button->setAutoDefault(true);
        auto* answer = new QLabel(&window);
        layout->addWidget(button);
        layout->addWidget(answer);
        QObject::connect(button, &QPushButton::clicked, answer, [answer] {
            QElapsedTimer work; // the search the click runs
            work.start();
            while (work.elapsed() < 15) {
            }
            answer->setText(QStringLiteral("trovate 3 schede"));
        });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        button->setFocus();
        if (byKey)
            QTest::keyClick(button, Qt::Key_Return);
        else
            QTest::mouseClick(button, Qt::LeftButton);
        QTRY_COMPARE(lines.size(), 1);
        const QRegularExpressionMatch match =
            QRegularExpression(QStringLiteral("^btnCerca → fotogramma ([0-9.]+) ms$")).match(lines.front());
        QVERIFY2(match.hasMatch(), qPrintable(lines.front()));
        QVERIFY(match.captured(1).toDouble() >= 15);
    }
};

RF_REGISTER_TEST(FrameTimesTest)
#include "FrameTimesTest.moc"
