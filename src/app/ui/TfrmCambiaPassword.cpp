#include "TfrmCambiaPassword.h"

#include "common/ui/Context.h"
#include "common/ui/Form.h"
#include "common/ui/Style.h"

#include "app/PasswordStore.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace rf {

namespace {
const QString WrongOldPassword = QStringLiteral("Attenzione: vecchia password errata.");
const QString NotConfirmed =
    QStringLiteral("Attenzione: la nuova password non è stata confermata correttamente. "
                   "E' necessario reinserire entrambi i valori.");
const QString NotStorable = QStringLiteral(
    "Attenzione: la nuova password può contenere al massimo 255 caratteri, scelti tra lettere "
    "(anche accentate), cifre, spazi e segni della tastiera, escluso il simbolo dell'euro (€) e "
    "altri simboli speciali. È necessario reinserire entrambi i valori.");
const QString ChangeError =
    QStringLiteral("Attenzione: si è verificato un errore durante la procedura di modifica "
                   "della password. Si consiglia di reinstallare il software.");
const QString Changed = QStringLiteral("Modifica della password completata con successo.");

} // namespace

TfrmCambiaPassword::TfrmCambiaPassword(Context& context, QWidget* parent)
    : PasswordWindow(context, parent, QStringLiteral("frmCambiaPassword"), QStringLiteral(" Cambia password"),
                     QSize(411, 418), QStringLiteral("Chiudi"))
{
    m_txtPasswordOld = makeField(QStringLiteral("txtPasswordOld"));
    m_txtPasswordNew = makeField(QStringLiteral("txtPasswordNew"));
    m_txtConferma = makeField(QStringLiteral("txtConferma"));

    // The banner spans the window; the fields below sit in a narrower column.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 16);
    layout->setSpacing(2);
    layout->addWidget(makeBanner(QSize(395, 110)), 0, Qt::AlignHCenter);
    auto* column = new QVBoxLayout;
    column->setContentsMargins(20, 0, 20, 0);
    column->setSpacing(2);
    column->addStretch(1);
    column->addWidget(Style::caption(QStringLiteral("Vecchia password:"), 13, this));
    column->addWidget(Form::highlightByRectangle(m_txtPasswordOld, QStringLiteral("effPasswordOld")));
    column->addSpacing(6);
    column->addWidget(Style::caption(QStringLiteral("Nuova password:"), 13, this));
    column->addWidget(Form::highlightByRectangle(m_txtPasswordNew, QStringLiteral("effPasswordNew")));
    column->addSpacing(6);
    column->addWidget(Style::caption(QStringLiteral("Conferma nuova password:"), 13, this));
    column->addWidget(Form::highlightByRectangle(m_txtConferma, QStringLiteral("effConferma")));
    column->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(16);
    buttons->addStretch();
    buttons->addWidget(m_cmdEsci);
    buttons->addWidget(m_cmdOK);
    buttons->addStretch();
    column->addLayout(buttons);
    layout->addLayout(column, 1);

    // Enter only walks the three fields; the change runs from OK alone.
    Form::enterChain({m_txtPasswordOld, m_txtPasswordNew, m_txtConferma});
    setTabOrder(m_txtPasswordOld, m_txtPasswordNew);
    setTabOrder(m_txtPasswordNew, m_txtConferma);
    setTabOrder(m_txtConferma, m_cmdEsci);
    setTabOrder(m_cmdEsci, m_cmdOK);
}

void TfrmCambiaPassword::showEvent(QShowEvent* event)
{
    for (QLineEdit* field : m_fields)
        field->clear();
    PasswordWindow::showEvent(event);
}

void TfrmCambiaPassword::closing()
{
    // A hidden window closed at shutdown must not bring the login back.
    if (isVisible())
        emit closed();
}

void TfrmCambiaPassword::refuseNew(const QString& message)
{
    m_context.messages().plain(this, message);
    m_txtPasswordNew->clear();
    m_txtConferma->clear();
    m_txtPasswordNew->setFocus(Qt::OtherFocusReason);
}

void TfrmCambiaPassword::cmdOKClick()
{
    const PasswordStore store(m_context.path(QLatin1String(PasswordStore::FileName)));
    const std::optional<QString> stored = store.read();
    if (!stored) {
        m_context.messages().plain(this, ChangeError);
        return;
    }
    if (PasswordStore::storedForm(m_txtPasswordOld->text()) != *stored) {
        m_context.messages().plain(this, WrongOldPassword);
        m_txtPasswordOld->clear();
        m_txtPasswordOld->setFocus(Qt::OtherFocusReason);
        return;
    }
    // Compared before upper-casing: a confirmation differing only in case is not a confirmation.
    if (PasswordStore::trimmed(m_txtPasswordNew->text()) != PasswordStore::trimmed(m_txtConferma->text())) {
        refuseNew(NotConfirmed);
        return;
    }
    if (!PasswordStore::fitsScrambler(PasswordStore::storedForm(m_txtPasswordNew->text()))) {
        refuseNew(NotStorable);
        return;
    }
    if (!store.write(m_txtPasswordNew->text())) {
        m_context.messages().plain(this, ChangeError);
        return;
    }
    m_context.messages().plain(this, Changed);
    close();
}

} // namespace rf
