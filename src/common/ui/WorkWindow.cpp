#include "WorkWindow.h"

#include "common/ui/CommandBar.h"
#include "common/ui/Status.h"
#include "common/ui/Style.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace rf {

WorkWindow::WorkWindow(Context& context, const QString& objectName, const QString& caption, QWidget* parent)
    : QWidget(parent), m_context(context)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    // No larger than the panel: a 1366 x 768 screen less a taskbar and a title bar leaves about
    // 1366 x 698 for the window, and the status strip at the panel's foot must stay on screen.
    setMinimumSize(PanelWidth, PanelHeight);
}

void WorkWindow::closeEvent(QCloseEvent* event)
{
    if (!beforeClose()) {
        event->ignore();
        return;
    }
    emit closed(); // the next window is shown first, then this one hides
    event->accept();
}

void WorkWindow::addClosingCommands(CommandBar* bar, const QString& guideHint, std::function<void()> guide)
{
    bar->addStretch();
    bar->add(QStringLiteral("cmdGuida"), QStringLiteral("help"), guideHint, std::move(guide));
    bar->add(QStringLiteral("cmdEsci"), QStringLiteral("exit"), QStringLiteral("Esci da questa schermata."),
             [this] { close(); });
}

void WorkWindow::createPanel(const QString& idleText, QRgb fill)
{
    m_panel = new QFrame(this);
    m_panel->setObjectName(QStringLiteral("panMain"));
    m_panel->setFixedSize(PanelWidth, PanelHeight);
    if (qAlpha(fill) != 0)
        m_panel->setStyleSheet(QStringLiteral("#panMain { background-color: %1; }").arg(Style::css(fill)));
    m_panInfo = Status::makeStrip(m_panel, idleText, &m_strip);
}

void WorkWindow::placePanel(QWidget* toolbar, QWidget* content)
{
    auto* column = new QVBoxLayout(m_panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(toolbar);
    column->addWidget(content, 1);
    column->addWidget(m_strip);

    auto* outer = new QGridLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_panel, 0, 0, Qt::AlignCenter);
    Status::clears(this, m_panInfo);
    Status::clears(m_panel, m_panInfo);
}

} // namespace rf
