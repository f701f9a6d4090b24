#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <QString>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>

// Small helpers for driving windows the way a user does. Each reports a failed step to the running
// test and returns false, so the caller writes QVERIFY(click(...)) and the test stops there.
namespace rf::Test {

// Records a failed check in the running test and returns false from the helper.
#define RF_HELPER_CHECK(condition, what)                                                                     \
    do {                                                                                                     \
        if (!QTest::qVerify(bool(condition), #condition, qPrintable(what), __FILE__, __LINE__))              \
            return false;                                                                                    \
    } while (false)

// The control named name inside window, or null.
template <typename T = QWidget> T* child(const QWidget* window, const QString& name)
{
    return window->findChild<T*>(name);
}

// The control named name inside window, for fixtures that cannot return a failure: a missing
// control ends the run at once, naming it.
template <typename T = QWidget> T* required(const QWidget* window, const QString& name)
{
    T* found = child<T>(window, name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

// Clicks the named control in its middle; fails when the control is missing or disabled.
[[nodiscard]] inline bool click(const QWidget* window, const QString& name)
{
    auto* w = child(window, name);
    RF_HELPER_CHECK(w, QStringLiteral("no control ") + name);
    RF_HELPER_CHECK(w->isEnabled(), name + QStringLiteral(" is disabled"));
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
    return true;
}

// Runs open, an action that shows a modal dialog and returns once it is closed. When the dialog is
// the active modal window, drive gets it (checking with QVERIFY/QCOMPARE as it likes) and must close
// it. Fails when no modal window of type T came up within timeoutMs, when a check of drive failed,
// or when drive left the dialog open; the dialog is closed then, so a failing test never hangs.
template <typename T = QWidget, typename Drive>
[[nodiscard]] bool driveModal(const std::function<void()>& open, const Drive& drive, int timeoutMs = 5000)
{
    bool appeared = false;
    bool leftOpen = false;
    QDeadlineTimer deadline(timeoutMs);
    QTimer watcher;
    watcher.setInterval(5);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        QPointer<QWidget> modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible()) {
            watcher.stop();
            if (T* typed = qobject_cast<T*>(modal.data())) {
                appeared = true;
                drive(typed);
            }
            if (modal && modal->isVisible() && QApplication::activeModalWidget() == modal) {
                leftOpen = true;
                modal->close();
            }
        } else if (deadline.hasExpired()) {
            watcher.stop();
        }
    });
    watcher.start();
    open();
    watcher.stop();
    if (QTest::currentTestFailed())
        return false;
    RF_HELPER_CHECK(appeared, QStringLiteral("no dialog came up"));
    RF_HELPER_CHECK(!leftOpen, QStringLiteral("the dialog was left open"));
    return true;
}

// Double-clicks the row of a list or table view, as a user picks an entry.
[[nodiscard]] inline bool doubleClickRow(QAbstractItemView* view, int row)
{
    RF_HELPER_CHECK(view, QStringLiteral("no view"));
    const QModelIndex index = view->model()->index(row, 0);
    RF_HELPER_CHECK(index.isValid(), QStringLiteral("no row %1").arg(row));
    view->scrollTo(index);
    const QPoint at = view->visualRect(index).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    return true;
}

} // namespace rf::Test
