#include "LinkLabel.h"

#include "common/ui/Context.h"
#include "common/ui/FieldBehaviour.h"

#include <QFont>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

namespace rf {

LinkLabel::LinkLabel(Context& context, const QString& text, const QString& target, QWidget* parent)
    : QLabel(text, parent), m_context(context), m_target(target)
{
    QFont font(QStringLiteral("Tahoma"), 14);
    font.setUnderline(true);
    setFont(font);
    setCursor(Qt::PointingHandCursor);
    setTextColor(Form::LinkBlue);
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
    setTextColor(Form::LinkPressed);
}

void LinkLabel::release(QWidget* source, const QPoint& localPos)
{
    setTextColor(Form::LinkBlue);
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

QPixmap renderPicture(const QString& resource, const QSize& box)
{
    QSvgRenderer renderer(resource);
    if (!renderer.isValid()) {
        const QPixmap bitmap(resource);
        return bitmap.isNull() ? bitmap : bitmap.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    const QSize size = renderer.defaultSize().scaled(box, Qt::KeepAspectRatio);
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    return pixmap;
}

QLabel* pictureLabel(const QString& resource, const QSize& box, const QString& objectName, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setAlignment(Qt::AlignCenter);
    label->setPixmap(renderPicture(resource, box));
    return label;
}

} // namespace rf
