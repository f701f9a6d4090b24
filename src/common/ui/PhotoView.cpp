#include "PhotoView.h"

#include <QMouseEvent>
#include <QPainter>

namespace rf {

PhotoView::PhotoView(QWidget* parent) : QWidget(parent) {}

void PhotoView::setImage(const QImage& image)
{
    m_image = image;
    rescale();
    update();
}

void PhotoView::rescale()
{
    if (m_image.isNull() || width() <= 0 || height() <= 0) {
        m_scaled = QPixmap();
        return;
    }
    const qreal dpr = devicePixelRatioF();
    const QSize target = (QSizeF(size()) * dpr).toSize();
    // A huge picture is first brought near the target size quickly, then smoothed.
    QImage source = m_image;
    if (source.width() > 4 * target.width() && source.height() > 4 * target.height())
        source = source.scaled(target * 2, Qt::KeepAspectRatio, Qt::FastTransformation);
    const QImage scaled = source.scaled(target, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    m_scaled = QPixmap::fromImage(scaled);
    m_scaled.setDevicePixelRatio(dpr);
}

void PhotoView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    rescale();
}

void PhotoView::paintEvent(QPaintEvent*)
{
    if (m_scaled.isNull())
        return;
    QPainter painter(this);
    const QSizeF shown = m_scaled.deviceIndependentSize();
    const QPointF topLeft((width() - shown.width()) / 2.0, (height() - shown.height()) / 2.0);
    painter.drawPixmap(topLeft, m_scaled);
}

void PhotoView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QWidget::mouseReleaseEvent(event);
}

} // namespace rf
