#include "PasswordWindow.h"

#include "app/PasswordStore.h"
#include "common/ui/FixedDialog.h"
#include "common/ui/Style.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace rf {

PasswordWindow::PasswordWindow(Context& context, QWidget* parent, const QString& objectName,
                               const QString& title, const QSize& size, const QString& leaveCaption)
    : QWidget(parent), m_context(context)
{
    setObjectName(objectName);
    setWindowTitle(title);
    fixedFrame(this, size);
    Style::gradientBackground(this);
    m_cmdOK = Style::button(QStringLiteral("cmdOK"), QStringLiteral("OK"), QSize(110, 32), this);
    m_cmdOK->setEnabled(false);
    m_cmdEsci = Style::button(QStringLiteral("cmdEsci"), leaveCaption, QSize(110, 32), this);
    connect(m_cmdOK, &QPushButton::clicked, this, [this] { cmdOKClick(); });
    connect(m_cmdEsci, &QPushButton::clicked, this, &QWidget::close);
}

QLabel* PasswordWindow::makeBanner(const QSize& box)
{
    QLabel* imgLogo =
        Style::pictureLabel(QStringLiteral(":/app/banner.svg"), box, QStringLiteral("imgLogo"), this);
    imgLogo->setFixedSize(box);
    return imgLogo;
}

QLineEdit* PasswordWindow::makeField(const QString& objectName)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(objectName);
    edit->setEchoMode(QLineEdit::Password);
    edit->setFont(Style::font(Style::Family::Verdana, 14, true));
    edit->setMinimumHeight(28);
    connect(edit, &QLineEdit::textChanged, this, &PasswordWindow::updateOK);
    m_fields.push_back(edit);
    return edit;
}

void PasswordWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_fields.empty())
        m_fields.front()->setFocus(Qt::OtherFocusReason);
}

void PasswordWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    closing();
}

void PasswordWindow::updateOK()
{
    m_cmdOK->setEnabled(std::all_of(m_fields.begin(), m_fields.end(), [](const QLineEdit* edit) {
        return !PasswordStore::trimmed(edit->text()).isEmpty();
    }));
}

} // namespace rf
