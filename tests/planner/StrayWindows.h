#pragma once

#include <QApplication>
#include <QEvent>
#include <QStringList>
#include <QWidget>

#include <algorithm>
#include <initializer_list>

namespace rf::Test {

// Records every widget shown as a window of its own while it lives: a widget shown before it has a
// parent flashes on screen as a native window, even when it is given a parent a moment later.
class WindowsShown : public QObject {
public:
    WindowsShown() { qApp->installEventFilter(this); }
    ~WindowsShown() override { qApp->removeEventFilter(this); }

    // The class and object names of the windows shown, in order ("QLabel lblIstruzioni").
    QStringList names;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow())
            names.append(QString::fromLatin1(watched->metaObject()->className()) + QLatin1Char(' ') +
                         watched->objectName());
        return false;
    }
};

// The top-level widgets other than the given windows and those the platform keeps for itself.
inline QStringList strayTopLevels(std::initializer_list<const QWidget*> windows)
{
    QStringList stray;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (std::find(windows.begin(), windows.end(), widget) == windows.end() &&
            !widget->inherits("QDesktopScreenWidget"))
            stray.append(QString::fromLatin1(widget->metaObject()->className()) + QLatin1Char(' ') +
                         widget->objectName());
    }
    return stray;
}

} // namespace rf::Test
