#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

namespace rf {

// Shows a picture scaled to fit with its proportions kept and centred. The full picture is kept
// for saving; only a copy scaled to the widget is painted, so huge photos stay quick to show.
class PhotoView : public QWidget {
    Q_OBJECT
public:
    explicit PhotoView(QWidget* parent = nullptr);

    void setImage(const QImage& image);
    const QImage& image() const { return m_image; }
    // The scaled copy currently painted (for checks of what is on screen).
    const QPixmap& displayed() const { return m_scaled; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void rescale();

    QImage m_image;
    QPixmap m_scaled;
};

} // namespace rf
