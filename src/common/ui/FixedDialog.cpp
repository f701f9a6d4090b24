#include "FixedDialog.h"

#include "common/ui/Form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

namespace rf {

void fixedFrame(QWidget* window, QSize client)
{
    window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::MSWindowsFixedSizeDialogHint);
    window->setFixedSize(client);
    Form::onEvent(window, [window](QEvent* e) {
        if (e->type() == QEvent::Show && !static_cast<QShowEvent*>(e)->spontaneous()) {
            const QWidget* owner = window->parentWidget() ? window->parentWidget()->window() : nullptr;
            QRect area;
            if (owner && owner->isVisible())
                area = owner->frameGeometry();
            else if (const QScreen* screen = window->screen())
                area = screen->availableGeometry();
            if (area.isValid()) {
                QRect frame = window->frameGeometry();
                frame.moveCenter(area.center());
                window->move(frame.topLeft());
            }
        }
        return false;
    });
}

FixedDialog::FixedDialog(Context& context, QWidget* owner, const QString& objectName, const QString& caption,
                         QSize client, QRgb top, QRgb bottom)
    : QDialog(owner), m_context(context)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    fixedFrame(this, client);
    Style::gradientBackground(this, top, bottom);
}

QLabel* FixedDialog::makeBanner(const QString& resource, QSize pictureBox, const QString& objectName)
{
    QLabel* banner = Style::pictureLabel(resource, pictureBox, objectName, this);
    banner->setStyleSheet(
        Style::sheet(QStringLiteral("QLabel#%1 { background: white; border: 1px solid @PanelBorder; }"))
            .arg(objectName));
    return banner;
}

QPushButton* FixedDialog::makeCloseButton()
{
    QPushButton* close = Style::button(QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), {}, this);
    close->setMinimumSize(110, 32);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    return close;
}

QHBoxLayout* FixedDialog::buttonRow(std::initializer_list<QWidget*> buttons, int spacing)
{
    auto* row = new QHBoxLayout;
    row->setSpacing(spacing);
    row->addStretch(1);
    for (QWidget* b : buttons)
        row->addWidget(b);
    row->addStretch(1);
    return row;
}

} // namespace rf
