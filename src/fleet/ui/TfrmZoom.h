#pragma once

#include <QDialog>

namespace rf {

class Context;
class PhotoView;

// The vehicle photo as large as the screen allows; a click closes the window.
class TfrmZoom : public QDialog {
    Q_OBJECT
public:
    TfrmZoom(Context& context, QWidget* owner, const QImage& photo);

    // The area given to the picture on a screen of the given size: 60 narrower, 90 lower.
    static QSize pictureArea(const QSize& screen);

protected:
    void showEvent(QShowEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QWidget* m_panContainer;
    PhotoView* m_imgFoto;
};

} // namespace rf
