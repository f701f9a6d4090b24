#include "Shown.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

namespace rf::bench {

namespace {
constexpr qint64 FrameLimitMs = 2000;

QElapsedTimer& clock()
{
    static QElapsedTimer timer = [] {
        QElapsedTimer started;
        started.start();
        return started;
    }();
    return timer;
}
} // namespace

double now()
{
    return clock().nsecsElapsed() / 1e6;
}

FrameWatch::FrameWatch(QWidget* window) : m_window(window)
{
    qApp->installEventFilter(this);
}

FrameWatch::~FrameWatch()
{
    qApp->removeEventFilter(this);
}

bool FrameWatch::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == m_window)
        m_painted = true;
    return QObject::eventFilter(watched, event);
}

bool waitForFrame(FrameWatch& watch)
{
    QElapsedTimer limit;
    limit.start();
    // The paint is seen as it starts; the frame is on screen once the event that carried it is
    // done, which processEvents returning marks.
    while (!watch.painted()) {
        if (limit.elapsed() > FrameLimitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    return true;
}

double showToFrame(QWidget& window)
{
    FrameWatch watch(&window);
    const double start = now();
    window.show();
    return waitForFrame(watch) ? now() - start : -1;
}

void click(QWidget& window, const QString& button)
{
    auto* target = window.findChild<QWidget*>(button);
    if (!target)
        qFatal("no button %s in %s", qPrintable(button), qPrintable(window.objectName()));
    // Delivered at once, without the event loop running between press and release.
    const QPointF centre = QRectF(target->rect()).center();
    const QPointF global = target->mapToGlobal(centre);
    QMouseEvent press(QEvent::MouseButtonPress, centre, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(target, &release);
}

double clickToFrame(QWidget& window, const QString& button)
{
    FrameWatch watch(&window);
    const double start = now();
    click(window, button);
    // Paints made while the click was handled (a "please wait" label) are not the answer.
    watch.arm();
    return waitForFrame(watch) ? now() - start : -1;
}

double clickToDialogFrame(QWidget& window, const QString& button)
{
    // Watches for the first paint of a dialog other than the window clicked.
    class DialogFrame : public QObject {
    public:
        explicit DialogFrame(QWidget* owner) : m_owner(owner) { qApp->installEventFilter(this); }
        ~DialogFrame() override { qApp->removeEventFilter(this); }
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (event->type() == QEvent::Paint && watched->isWidgetType()) {
                auto* dialog = qobject_cast<QDialog*>(static_cast<QWidget*>(watched)->window());
                if (dialog && dialog != m_owner && !dialog->property("rf_bench_seen").toBool()) {
                    dialog->setProperty("rf_bench_seen", true);
                    // Closed once this paint is done and the frame is on screen.
                    QTimer::singleShot(0, dialog, [this, dialog] {
                        painted = now();
                        dialog->reject();
                    });
                }
            }
            return QObject::eventFilter(watched, event);
        }
        double painted = -1;

    private:
        QWidget* m_owner;
    };
    DialogFrame frame(&window);
    const double start = now();
    click(window, button);
    return frame.painted < 0 ? -1 : frame.painted - start;
}

double repaintToFrame(QWidget& window)
{
    FrameWatch watch(&window);
    const double start = now();
    window.update();
    return waitForFrame(watch) ? now() - start : -1;
}

void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace rf::bench
