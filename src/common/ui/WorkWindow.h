#pragma once

#include <QSize>
#include <QWidget>

#include <functional>

class QFrame;
class QLabel;

namespace rf {

class CommandBar;
class Context;

// A persistent window: created once, then only shown and hidden. Closing it, by its own exit
// button or by the title bar, hides it and emits closed() so the application shows the next one.
// Its content sits on a fixed panel centred in the window: a command bar along the top, the
// window's own content, and the blue status strip along the bottom.
class WorkWindow : public QWidget {
    Q_OBJECT
public:
    // The client area every work window (and the launcher) is designed for. The content stays
    // centred when maximised; the window may be as small as the panel itself.
    static constexpr QSize DesignSize{1016, 713};
    static constexpr int PanelWidth = 996;
    static constexpr int PanelHeight = 692;

    WorkWindow(Context& context, const QString& objectName, const QString& caption,
               QWidget* parent = nullptr);

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Runs before closed() is emitted; a window writes what it must keep here. Returning false
    // keeps the window open (a save failed and the user chose to stay).
    virtual bool beforeClose() { return true; }

    // Makes the panel panMain and its status strip (m_panInfo shows idleText until a hint comes),
    // so that the command bar and the content can be built with their hints. fill colours the
    // panel; by default it lets the window's background show.
    void createPanel(const QString& idleText, QRgb fill = 0);
    // Lays the command bar, the content and the status strip on the panel and centres the panel in
    // the window; hovering the background clears the status strip.
    void placePanel(QWidget* toolbar, QWidget* content);

    // The commands a work window's toolbar ends with, pushed to the right: the guide, explained by
    // guideHint, and the way out.
    void addClosingCommands(CommandBar* bar, const QString& guideHint, std::function<void()> guide);

    Context& m_context;
    QFrame* m_panel = nullptr;
    QLabel* m_panInfo = nullptr;

private:
    QWidget* m_strip = nullptr;
};

} // namespace rf
