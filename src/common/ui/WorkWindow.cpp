#include "WorkWindow.h"

#include <QCloseEvent>

namespace rf {

WorkWindow::WorkWindow(Context& context, const QString& objectName, const QString& caption, QWidget* parent)
    : QWidget(parent), m_context(context)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    // The content is designed for a client area of 1016 x 713 and stays centred when maximised.
    setMinimumSize(1016, 713);
}

void WorkWindow::closeEvent(QCloseEvent* event)
{
    beforeClose();
    emit closed(); // the next window is shown first, then this one hides
    event->accept();
}

} // namespace rf
