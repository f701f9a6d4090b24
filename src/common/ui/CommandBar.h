#pragma once

#include "storage/CardBrowsing.h"

#include <QFrame>
#include <QKeySequence>
#include <QSize>

#include <array>
#include <functional>

class QHBoxLayout;
class QLabel;

namespace rf {

class PictureButton;

// The white toolbar of picture buttons along the top of a work window. Each command explains
// itself on the status strip while the pointer or the keyboard focus is on it, and is worked from
// the keyboard: Tab reaches it, Enter or Space presses it, and its shortcut, named in its hint,
// presses it from anywhere in the window.
class CommandBar : public QFrame {
    Q_OBJECT
public:
    CommandBar(QLabel* panInfo, QWidget* parent = nullptr);

    // A command with no action belongs to a window not part of this release yet: it is shown
    // disabled, still explaining itself on the status strip. picture is a toolbar picture's name
    // or a resource path. Without a shortcut the command takes the one its name is known by, if
    // any (defaultShortcut).
    PictureButton* add(const QString& name, const QString& picture, const QString& hint,
                       std::function<void()> action, const QKeySequence& shortcut = {},
                       QSize size = QSize(42, 42));
    // The four browsing arrows (first, previous, next, last) with their hints, and the record
    // position label lblPosizione between the second and the third, which is returned.
    QLabel* addBrowseGroup(const std::array<QString, 4>& hints, std::function<void(BrowseButton)> browse);
    void addSeparator();
    void addStretch();

    // The shortcut of the commands every window names alike (cmdSalva: Ctrl+S, cmdEsci: Escape…);
    // empty for any other name.
    static QKeySequence defaultShortcut(const QString& name);
    // A shortcut as the hints name it, with Italian key names ("Alt+Fine", "Ctrl+Maiusc+P").
    static QString keyText(const QKeySequence& shortcut);

private:
    QHBoxLayout* m_row;
    QLabel* m_panInfo;
};

} // namespace rf
