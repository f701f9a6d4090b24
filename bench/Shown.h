#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>

class QWidget;

namespace rf::bench {

// The one clock every timestamp of a run is read from, in milliseconds.
double now();

// Notes each paint of one window or of any widget inside it.
class FrameWatch : public QObject {
public:
    explicit FrameWatch(QWidget* window);
    ~FrameWatch() override;

    // Forgets the frames seen so far.
    void arm() { m_painted = false; }
    bool painted() const { return m_painted; }

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    bool m_painted = false;
};

// Runs the event loop until window paints a frame (after the watch was armed), as a person waits
// for the screen to change; false when no frame came within two seconds.
bool waitForFrame(FrameWatch& watch);

// Shows window and waits for its first frame; the time from the call to that frame.
double showToFrame(QWidget& window);

// Clicks the named button of window with the mouse: press and release, delivered at once.
void click(QWidget& window, const QString& button);

// Clicks the named button of window with the mouse (press and release) and waits for the next
// frame; the time from the press to that frame, or -1 when no frame came.
double clickToFrame(QWidget& window, const QString& button);

// Clicks the named button of window, which opens a modal dialog: the time from the press to the
// dialog's first frame; the dialog is then closed (rejected). -1 when no dialog was painted.
double clickToDialogFrame(QWidget& window, const QString& button);

// Repaints window with nothing changed and waits for the frame: the cost of any frame of it.
double repaintToFrame(QWidget& window);

// Lets the event loop run until nothing is pending, so that one measurement leaves nothing
// behind for the next.
void settle();

} // namespace rf::bench
