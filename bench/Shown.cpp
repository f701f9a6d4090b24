#include "Shown.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QMouseEvent>
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
