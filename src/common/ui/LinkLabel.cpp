#include "LinkLabel.h"

#include "common/ui/Context.h"
#include "common/ui/Style.h"

#include <QHBoxLayout>
#include <QMouseEvent>

namespace rf {

LinkLabel::LinkLabel(Context& context, const QString& text, const QString& target, QWidget* parent)
    : QLabel(text, parent), m_context(context), m_target(target)
{
    QFont font = Style::pointFont(Style::Family::Tahoma, 14);
    font.setUnderline(true);
    setFont(font);
    setCursor(Qt::PointingHandCursor);
    setTextColor(Style::LinkBlue);
}

void LinkLabel::attachIcon(QWidget* icon)
{
    icon->setCursor(Qt::PointingHandCursor);
    icon->installEventFilter(this);
}

QColor LinkLabel::textColor() const
{
    return palette().color(QPalette::WindowText);
}

void LinkLabel::setTextColor(QRgb colour)
{
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, QColor::fromRgba(colour));
    setPalette(pal);
}

void LinkLabel::press()
{
    m_pressed = true;
    setTextColor(Style::LinkPressed);
}

void LinkLabel::release(QWidget* source, const QPoint& localPos)
{
    setTextColor(Style::LinkBlue);
    const bool wasPressed = m_pressed;
    m_pressed = false;
    if (!wasPressed || !source->rect().contains(localPos))
        return;
    emit clicked();
    m_context.shell().open(m_target);
}

void LinkLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        press();
    event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        release(this, event->position().toPoint());
    event->accept();
}

bool LinkLabel::eventFilter(QObject* watched, QEvent* event)
{
    auto* icon = qobject_cast<QWidget*>(watched);
    if (icon && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease)) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            if (event->type() == QEvent::MouseButtonPress)
                press();
            else
                release(icon, mouse->position().toPoint());
            return true;
        }
    }
    return QLabel::eventFilter(watched, event);
}

QHBoxLayout* linkRow(Context& context, const QString& text, const QString& target,
                     const QString& iconResource, const QString& iconName, int iconBox, int iconSide)
{
    QLabel* icon = Style::pictureLabel(iconResource, QSize(iconBox, iconBox), iconName);
    icon->setFixedSize(iconSide, iconSide);
    auto* link = new LinkLabel(context, text, target);
    link->setObjectName(QStringLiteral("lnkWeb"));
    link->attachIcon(icon);
    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    row->addWidget(icon);
    row->addWidget(link);
    return row;
}

} // namespace rf
