#pragma once

class QLabel;
class QLineEdit;
class QSize;
class QString;
class QWidget;

// The pieces the login and change-password windows share.
namespace rf {

// The banner picture imgLogo at the top of the two password windows, scaled to fit a box of the
// given size. A missing picture leaves the box empty.
QLabel* makePasswordBanner(QWidget* parent, const QSize& box);
// A masked password edit in the look of the two password windows.
QLineEdit* makePasswordEdit(QWidget* parent, const QString& objectName);

} // namespace rf
