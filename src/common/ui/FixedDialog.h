#pragma once

#include "common/ui/Style.h"

#include <QDialog>

#include <initializer_list>

class QHBoxLayout;
class QLabel;
class QPushButton;

namespace rf {

class Context;

// Gives a window a fixed single border with no title-bar buttons and the given client size, and
// centres it on its owner (on the screen when it has none) each time it is shown.
void fixedFrame(QWidget* window, QSize client);

// The frame every fixed dialog of the program shares: caption, fixed client size, centring and a
// gradient background, with the pieces its content is built from (a framed banner picture, a row
// of buttons, the close button). A dialog adds its own controls in its own layout.
class FixedDialog : public QDialog {
    Q_OBJECT
protected:
    FixedDialog(Context& context, QWidget* owner, const QString& objectName, const QString& caption,
                QSize client, QRgb top = Style::SteelBlue, QRgb bottom = Style::White);

    // A picture on white with a thin frame, fitted into pictureBox.
    QLabel* makeBanner(const QString& resource, QSize pictureBox, const QString& objectName);
    // "Chiudi" (btnChiudi), which closes the dialog.
    QPushButton* makeCloseButton();
    // The buttons side by side, centred in the row.
    static QHBoxLayout* buttonRow(std::initializer_list<QWidget*> buttons, int spacing = 16);

    Context& m_context;
};

} // namespace rf
