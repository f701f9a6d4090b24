#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QString>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>

// Small helpers for driving windows the way a user does.
namespace rf::Test {

// The control named name inside window, or null.
template <typename T = QWidget> T* child(const QWidget* window, const QString& name)
{
    return window->findChild<T*>(name);
}

// Clicks the named control in its middle. The test fails when the control is missing or disabled.
inline void click(const QWidget* window, const QString& name)
{
    auto* w = child(window, name);
    QVERIFY2(w, qPrintable(name));
    QVERIFY2(w->isEnabled(), qPrintable(name));
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

// Drives the modal dialog that the next action opens: once it is the active modal window, drive
// gets it and must close it. Call before the action that opens the dialog.
inline void onNextModal(std::function<void(QWidget* dialog)> drive)
{
    QTimer::singleShot(0, [drive = std::move(drive)] {
        QTRY_VERIFY(QApplication::activeModalWidget());
        drive(QApplication::activeModalWidget());
    });
}

// Double-clicks the row of a list or table view, as a user picks an entry.
inline void doubleClickRow(QAbstractItemView* view, int row)
{
    QVERIFY(view);
    const QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    const QPoint at = view->visualRect(index).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
}

} // namespace rf::Test
