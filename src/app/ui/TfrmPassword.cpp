#include "TfrmPassword.h"

#include "common/ui/Context.h"
#include "common/ui/Form.h"
#include "common/ui/Style.h"

#include "app/PasswordStore.h"
#include "app/Product.h"

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

TfrmPassword::TfrmPassword(Context& context, QWidget* parent)
    : PasswordWindow(context, parent, QStringLiteral("frmPassword"),
                     QStringLiteral(" %1 - Accesso").arg(QLatin1String(Product::Name)), QSize(388, 405),
                     QStringLiteral("Esci"))
{
    QLabel* prompt = Style::caption(QStringLiteral("Immetti la password e premi OK."), 13, this);

    m_txtPassword = makeField(QStringLiteral("txtPassword"));
    QWidget* passwordHolder = Form::highlightByRectangle(m_txtPassword, QStringLiteral("effPassword"));

    m_btnCambiaPassword = Style::button(QStringLiteral("btnCambiaPassword"),
                                        QStringLiteral("Cambia password"), QSize(236, 32), this);

    // The banner spans the window; the controls below sit in a narrower column.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 20);
    layout->setSpacing(6);
    layout->addWidget(makeBanner(QSize(372, 110)), 0, Qt::AlignHCenter);
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

    connect(m_txtPassword, &QLineEdit::returnPressed, this, [this] {
        if (m_cmdOK->isEnabled())
            cmdOKClick();
    });
    connect(m_btnCambiaPassword, &QPushButton::clicked, this, &TfrmPassword::changePasswordRequested);
    setTabOrder(m_txtPassword, m_cmdOK);
    setTabOrder(m_cmdOK, m_cmdEsci);
    setTabOrder(m_cmdEsci, m_btnCambiaPassword);
}

void TfrmPassword::resetForReturn()
{
    m_txtPassword->clear();
    m_txtPassword->setFocus(Qt::OtherFocusReason);
}

void TfrmPassword::closing()
{
    if (!m_granted)
        emit exitRequested();
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
