#include "StatusStrip.h"

#include "common/ui/FieldBehaviour.h"
#include "common/ui/Style.h"

#include <QCursor>
#include <QEnterEvent>
#include <QEvent>
#include <QMouseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>

#include <memory>

namespace rf::Status {

QLabel* makeStrip(QWidget* parent, const QString& idleText, QWidget** strip)
{
    auto* shpInfo = new QFrame(parent);
    shpInfo->setObjectName(QStringLiteral("shpInfo"));
    shpInfo->setStyleSheet(Style::sheet(QStringLiteral("#shpInfo { background-color: @StatusStrip;"
                                                       " border: 1px solid @StatusStrip; }")));
    shpInfo->setFixedHeight(26);
    auto* layout = new QHBoxLayout(shpInfo);
    layout->setContentsMargins(8, 0, 8, 0);
    auto* panInfo = new QLabel(idleText, shpInfo);
    panInfo->setObjectName(QStringLiteral("panInfo"));
    panInfo->setFont(Style::font(Style::Family::Tahoma, 12));
    panInfo->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    layout->addWidget(panInfo);
    if (strip)
        *strip = shpInfo;
    return panInfo;
}

void hint(QWidget* source, QLabel* panInfo, const QString& hint)
{
    QPointer<QLabel> label(panInfo);
    Form::onEvent(source, [label, hint](QEvent* e) {
        if (e->type() == QEvent::Enter && label)
            label->setText(hint);
        return false;
    });
}

void clears(QWidget* background, QLabel* panInfo)
{
    QPointer<QLabel> label(panInfo);
    background->setMouseTracking(true);
    // Only a real move clears: the pointer merely being there when a window opens (an Enter, or a
    // move event to the point where it already was) leaves the idle text or the hint in place.
    auto last = std::make_shared<QPoint>(QCursor::pos());
    Form::onEvent(background, [label, last](QEvent* e) {
        if (e->type() == QEvent::Enter) {
            const auto* enter = dynamic_cast<QEnterEvent*>(e);
            *last = enter ? enter->globalPosition().toPoint() : QCursor::pos();
        } else if (e->type() == QEvent::MouseMove) {
            const QPoint at = static_cast<QMouseEvent*>(e)->globalPosition().toPoint();
            if (at != *last && label && !label->text().isEmpty())
                label->clear();
            *last = at;
        }
        return false;
    });
}

} // namespace rf::Status
