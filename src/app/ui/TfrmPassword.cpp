#include "TfrmPassword.h"
#include "PasswordFields.h"

#include "common/ui/Context.h"
#include "common/ui/FixedDialog.h"
#include "common/ui/Form.h"
#include "common/ui/Style.h"

#include "app/PasswordStore.h"
#include "app/Product.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace rf {

namespace {
const QString WrongPassword = QStringLiteral("Attenzione: password errata.");
const QString ReadError =
    QStringLiteral("Attenzione: si è verificato un errore durante la procedura di lettura "
                   "della password. Si consiglia di reinstallare il software.");

} // namespace

TfrmPassword::TfrmPassword(Context& context, QWidget* parent) : QWidget(parent), m_context(context)
{
    setObjectName(QStringLiteral("frmPassword"));
    setWindowTitle(QStringLiteral(" %1 - Accesso").arg(QLatin1String(Product::Name)));
    fixedFrame(this, QSize(388, 405));
    Style::gradientBackground(this);

    QLabel* prompt = Style::caption(QStringLiteral("Immetti la password e premi OK."), 13, this);

    m_txtPassword = makePasswordEdit(this, QStringLiteral("txtPassword"));
    QWidget* passwordHolder = Form::highlightByRectangle(m_txtPassword, QStringLiteral("effPassword"));

    m_cmdOK = Style::button(QStringLiteral("cmdOK"), QStringLiteral("OK"), QSize(110, 32), this);
    m_cmdOK->setEnabled(false);
    m_cmdEsci = Style::button(QStringLiteral("cmdEsci"), QStringLiteral("Esci"), QSize(110, 32), this);
    m_btnCambiaPassword = Style::button(QStringLiteral("btnCambiaPassword"),
                                        QStringLiteral("Cambia password"), QSize(236, 32), this);

    // The banner spans the window; the controls below sit in a narrower column.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 20);
    layout->setSpacing(6);
    layout->addWidget(makePasswordBanner(this, QSize(372, 110)), 0, Qt::AlignHCenter);
    auto* column = new QVBoxLayout;
    column->setContentsMargins(20, 0, 20, 0);
    column->setSpacing(6);
    column->addStretch(2);
    column->addWidget(prompt);
    column->addWidget(passwordHolder);
    column->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(16);
    buttons->addStretch();
    buttons->addWidget(m_cmdOK);
    buttons->addWidget(m_cmdEsci);
    buttons->addStretch();
    column->addLayout(buttons);
    column->addSpacing(10);
    column->addWidget(m_btnCambiaPassword, 0, Qt::AlignHCenter);
    column->addStretch(1);
    layout->addLayout(column, 1);

    connect(m_txtPassword, &QLineEdit::textChanged, this, &TfrmPassword::updateOK);
    connect(m_txtPassword, &QLineEdit::returnPressed, this, [this] {
        if (m_cmdOK->isEnabled())
            cmdOKClick();
    });
    connect(m_cmdOK, &QPushButton::clicked, this, &TfrmPassword::cmdOKClick);
    connect(m_cmdEsci, &QPushButton::clicked, this, &QWidget::close);
    connect(m_btnCambiaPassword, &QPushButton::clicked, this, &TfrmPassword::changePasswordRequested);
}

void TfrmPassword::resetForReturn()
{
    m_txtPassword->clear();
    m_txtPassword->setFocus(Qt::OtherFocusReason);
}

void TfrmPassword::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_txtPassword->setFocus(Qt::OtherFocusReason);
}

void TfrmPassword::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (!m_granted)
        emit exitRequested();
}

void TfrmPassword::updateOK()
{
    m_cmdOK->setEnabled(!PasswordStore::trimmed(m_txtPassword->text()).isEmpty());
}

void TfrmPassword::cmdOKClick()
{
    const std::optional<QString> expected =
        PasswordStore(m_context.path(QLatin1String(PasswordStore::FileName))).read();
    if (!expected) {
        m_context.messages().plain(this, ReadError);
        return;
    }
    if (PasswordStore::storedForm(m_txtPassword->text()) == *expected) {
        m_granted = true;
        emit accessGranted();
        return;
    }
    m_context.messages().plain(this, WrongPassword);
    resetForReturn();
}

} // namespace rf
