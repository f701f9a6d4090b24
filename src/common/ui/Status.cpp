#include "Status.h"

#include "common/ui/Form.h"
#include "common/ui/PictureButton.h"
#include "common/ui/Style.h"

#include <QCursor>
#include <QEnterEvent>
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
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

namespace {
// The hint and the keys live on the source itself, so that a window may give a command of a
// shared toolbar a hint of its own.
const char* const HintProperty = "rfStatusHint";
const char* const KeysProperty = "rfStatusKeys";
// The keyboard user walking the controls, as against the focus put somewhere by the program. A
// dialog being shown tells its first control it got the focus by Tab before it really has it.
bool reachedByTab(const QWidget* source, const QEvent* e)
{
    if (e->type() != QEvent::FocusIn || !source->hasFocus())
        return false;
    const Qt::FocusReason reason = static_cast<const QFocusEvent*>(e)->reason();
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason;
}

// A picture button is read by screen readers and test tools after its hint, keys and all.
void nameForTools(QWidget* source)
{
    auto* button = qobject_cast<PictureButton*>(source);
    if (button && source->property(HintProperty).isValid())
        button->nameAfterHint(hintOf(source));
}

} // namespace

QString hintOf(const QWidget* source)
{
    const QString text = source->property(HintProperty).toString();
    const QString keys = source->property(KeysProperty).toString();
    return keys.isEmpty() ? text : text + QStringLiteral(" (") + keys + QLatin1Char(')');
}

void setKeys(QWidget* source, const QString& keys)
{
    source->setProperty(KeysProperty, keys);
    nameForTools(source);
}

void hint(QWidget* source, QLabel* panInfo, const QString& hint)
{
    const bool shown = source->property(HintProperty).isValid();
    source->setProperty(HintProperty, hint);
    nameForTools(source);
    if (shown)
        return;
    QPointer<QLabel> label(panInfo);
    Form::onEvent(source, [source, label](QEvent* e) {
        if (label && (e->type() == QEvent::Enter || reachedByTab(source, e)))
            label->setText(hintOf(source));
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
