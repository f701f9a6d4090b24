#include "TfrmZoom.h"

#include "common/ui/PhotoView.h"
#include "common/ui/Style.h"

#include <QGridLayout>
#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>

namespace rf {

TfrmZoom::TfrmZoom(Context&, QWidget* owner, const QImage& photo) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmZoom"));
    setWindowTitle(QStringLiteral(" Fai clic sulla foto per chiudere questa finestra"));
    setWindowState(Qt::WindowMaximized);
    Style::gradientBackground(this);

    m_panContainer = new QWidget(this);
    m_panContainer->setObjectName(QStringLiteral("panContainer"));
    m_imgFoto = new PhotoView(m_panContainer);
    m_imgFoto->setObjectName(QStringLiteral("imgFoto"));
    m_imgFoto->setCursor(Qt::PointingHandCursor);
    m_imgFoto->setImage(photo);
    auto* inner = new QVBoxLayout(m_panContainer);
    inner->setContentsMargins(0, 0, 0, 0);
    inner->addWidget(m_imgFoto, 0, Qt::AlignCenter);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_panContainer, 0, 0, Qt::AlignCenter);

    connect(m_imgFoto, &PhotoView::clicked, this, &QDialog::accept);
}

QSize TfrmZoom::pictureArea(const QSize& screen)
{
    return QSize(std::max(1, screen.width() - 60), std::max(1, screen.height() - 90));
}

void TfrmZoom::showEvent(QShowEvent* event)
{
    const QScreen* screen = this->screen();
    const QSize area = pictureArea(screen ? screen->size() : QSize(1024, 768));
    m_panContainer->setFixedSize(area);
    m_imgFoto->setFixedSize(area);
    QDialog::showEvent(event);
}

void TfrmZoom::mouseReleaseEvent(QMouseEvent* event)
{
    // The panel fills the window's middle; a click on it closes as a click on the picture does.
    if (m_panContainer->geometry().contains(event->position().toPoint()))
        accept();
    QDialog::mouseReleaseEvent(event);
}

} // namespace rf
