#include "PictureButton.h"

#include "common/ui/Style.h"

#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>

#include <algorithm>

namespace rf {

SvgPicture::SvgPicture(const QString& resource, QWidget* parent)
    : QWidget(parent), m_resource(resource), m_renderer(new QSvgRenderer(resource, this))
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

SvgPicture* SvgPicture::create(const QString& resource, const QString& objectName, QSize size)
{
    auto* picture = new SvgPicture(resource);
    picture->setObjectName(objectName);
    picture->setFixedSize(size);
    return picture;
}

void SvgPicture::setPicture(const QString& resource)
{
    m_resource = resource;
    m_renderer->load(resource);
    updateGeometry();
    update();
}

QSize SvgPicture::sizeHint() const
{
    return m_renderer->isValid() ? m_renderer->defaultSize() : QSize(32, 32);
}

QRectF SvgPicture::pictureArea() const
{
    return QRectF(rect());
}

void SvgPicture::paintEvent(QPaintEvent*)
{
    if (!m_renderer->isValid())
        return;
    const QRectF area = pictureArea();
    const QSizeF fitted = QSizeF(m_renderer->defaultSize()).scaled(area.size(), Qt::KeepAspectRatio);
    QRectF target(QPointF(), fitted);
    target.moveCenter(area.center());

    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    if (!isEnabled())
        painter.setOpacity(0.3); // a command not available is shown faded
    m_renderer->render(&painter, target);
}

PictureButton::PictureButton(const QString& resource, QWidget* parent) : SvgPicture(resource, parent)
{
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
}

PictureButton* PictureButton::create(const QString& resource, const QString& objectName, QSize size,
                                     const QString& toolTip, QWidget* parent)
{
    auto* button = new PictureButton(resource, parent);
    button->setObjectName(objectName);
    button->setFixedSize(size);
    if (!toolTip.isEmpty())
        button->setToolTip(toolTip);
    return button;
}

// At rest the picture leaves a thin margin that hovering takes up, so the picture seems to rise
// towards the pointer; pressing pushes it back a little further than at rest.
QRectF PictureButton::pictureArea() const
{
    const qreal lift = std::clamp(std::min(width(), height()) * 0.04, 1.0, 6.0);
    const qreal inset = m_hovered ? (m_down ? lift * 1.5 : 0.0) : lift;
    return QRectF(rect()).adjusted(inset, inset, -inset, -inset);
}

void PictureButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        setDown(true);
    event->accept();
}

void PictureButton::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton)
        setHovered(rect().contains(event->position().toPoint()));
    event->accept();
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_down) {
        event->accept();
        return;
    }
    setDown(false);
    event->accept();
    if (rect().contains(event->position().toPoint()))
        emit clicked();
}

void PictureButton::click()
{
    if (isEnabled())
        emit clicked();
}

void PictureButton::nameAfterHint(const QString& hint)
{
    static const QRegularExpression sentenceEnd(QStringLiteral("\\.(\\s|$)|\\s\\("));
    const QString whole = hint.trimmed();
    const QRegularExpressionMatch end = sentenceEnd.match(whole);
    const QString name = end.hasMatch() ? whole.left(end.capturedStart()) : whole;
    setAccessibleName(name);
    setAccessibleDescription(whole == name || whole == name + QLatin1Char('.') ? QString() : whole);
}

void PictureButton::paintEvent(QPaintEvent* event)
{
    SvgPicture::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal half = Style::FocusRingWidth / 2.0;
    painter.setPen(QPen(QColor::fromRgba(Style::FocusRing), Style::FocusRingWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(rect()).adjusted(half, half, -half, -half), 4, 4);
}

void PictureButton::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const bool press = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
    if (!press || (event->modifiers() & ~Qt::KeypadModifier)) {
        SvgPicture::keyPressEvent(event);
        return;
    }
    event->accept();
    if (!event->isAutoRepeat())
        click();
}

void PictureButton::focusInEvent(QFocusEvent* event)
{
    update();
    SvgPicture::focusInEvent(event);
}

void PictureButton::focusOutEvent(QFocusEvent* event)
{
    update();
    SvgPicture::focusOutEvent(event);
}

void PictureButton::enterEvent(QEnterEvent* event)
{
    setHovered(true);
    SvgPicture::enterEvent(event);
}

void PictureButton::leaveEvent(QEvent* event)
{
    setHovered(false);
    SvgPicture::leaveEvent(event);
}

void PictureButton::setHovered(bool hovered)
{
    if (m_hovered == hovered)
        return;
    m_hovered = hovered;
    update();
}

void PictureButton::setDown(bool down)
{
    if (m_down == down)
        return;
    m_down = down;
    update();
}

} // namespace rf
