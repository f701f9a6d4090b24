#pragma once

#include <QFrame>
#include <QSize>

#include <functional>

class QHBoxLayout;
class QLabel;

namespace rf {

class PictureButton;

// The white toolbar of picture buttons along the top of a work window. Each command explains
// itself on the status strip while the pointer is over it.
class CommandBar : public QFrame {
    Q_OBJECT
public:
    CommandBar(QLabel* panInfo, QWidget* parent = nullptr);

    // A command with no action belongs to a window not part of this release yet: it is shown
    // disabled, still explaining itself on the status strip.
    PictureButton* add(const QString& name, const QString& picture, const QString& hint,
                       std::function<void()> action, QSize size = QSize(42, 42));
    // The record position label between the browsing arrows.
    QLabel* addPositionLabel();
    void addSeparator();
    void addStretch();

private:
    QHBoxLayout* m_row;
    QLabel* m_panInfo;
};

} // namespace rf
