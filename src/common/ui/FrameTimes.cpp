#include "FrameTimes.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QTimer>

namespace rf {

FrameTimes::FrameTimes(std::function<void(const QString&)> report, QObject* parent)
    : QObject(parent), m_report(std::move(report))
{
    m_clock.start();
    QCoreApplication::instance()->installEventFilter(this);
}

FrameTimes::~FrameTimes()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

bool FrameTimes::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    const bool input = event->spontaneous() && watched->isWidgetType() &&
                       (type == QEvent::MouseButtonRelease ||
                        (type == QEvent::KeyPress && !static_cast<QKeyEvent*>(event)->isAutoRepeat()));
    if (input) {
        m_input = m_clock.nsecsElapsed();
        m_armed = false;
        m_painting = false;
        m_source = watched->objectName().isEmpty() ? QString::fromLatin1(watched->metaObject()->className())
                                                   : watched->objectName();
        // A zero timer runs once the input's own handling has returned to an event loop.
        QTimer::singleShot(0, this, [this, at = m_input] {
            if (m_input == at)
                m_armed = true;
        });
    } else if (type == QEvent::Paint && m_armed && !m_painting) {
        // The frame is on screen once the paints of this pass are done: the next turn of the loop.
        m_painting = true;
        QTimer::singleShot(0, this, [this, at = m_input] {
            if (m_input != at)
                return;
            m_report(QStringLiteral("%1 → fotogramma %2 ms")
                         .arg(m_source)
                         .arg((m_clock.nsecsElapsed() - at) / 1e6, 0, 'f', 1));
            m_input = -1;
            m_armed = false;
            m_painting = false;
        });
    }
    return QObject::eventFilter(watched, event);
}

} // namespace rf
