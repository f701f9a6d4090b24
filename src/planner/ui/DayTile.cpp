#include "DayTile.h"

#include "common/ui/Style.h"

#include <QMouseEvent>
#include <QPainter>

namespace rf {

DayTile::DayTile(int slot, int day, bool booked, QWidget* parent)
    : QWidget(parent), m_slot(slot), m_day(QString::number(day)), m_booked(booked)
{
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void DayTile::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(QColor::fromRgba(m_booked ? Style::BookedBorder : Style::White), 1));
    painter.setBrush(QColor::fromRgba(m_booked ? Style::BookedRed : Style::Lavender));
    painter.drawRoundedRect(area, 3, 3);
    painter.setPen(QColor::fromRgba(m_booked ? Style::White : Style::DarkBlue));
    QFont font = Style::font(Style::Family::Verdana, std::max(9, height() / 3), true);
    painter.setFont(font);
    painter.drawText(rect(), Qt::AlignCenter, m_day);
}

void DayTile::changeEvent(QEvent* event)
{
    // A tile that books nothing does not invite a click; it keeps its colours all the same.
    if (event->type() == QEvent::EnabledChange)
        setCursor(isEnabled() ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QWidget::changeEvent(event);
}

void DayTile::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void DayTile::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click =
        m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click)
        emit clicked(m_slot);
}

} // namespace rf
