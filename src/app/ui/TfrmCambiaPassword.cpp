#include "TfrmCambiaPassword.h"

#include "common/ui/Context.h"
#include "common/ui/FieldBehaviour.h"
#include "TfrmPassword.h"

#include "app/PasswordStore.h"

#include <QCloseEvent>
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
    "altri simboli speciali. E' necessario reinserire entrambi i valori.");
const QString ChangeError =
    QStringLiteral("Attenzione: si è verificato un errore durante la procedura di modifica "
                   "della password. Si consiglia di reinstallare il software.");
const QString Changed = QStringLiteral("Modifica della password completata con successo.");

QLabel* makeCaption(QWidget* parent, const QString& text)
{
    auto* label = new QLabel(text, parent);
    QFont font(QStringLiteral("Verdana"));
    font.setPixelSize(13);
    font.setBold(true);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color: #1F2A44;"));
    return label;
}

QPushButton* makeButton(QWidget* parent, const QString& objectName, const QString& text)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(objectName);
    button->setFixedSize(110, 32);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}
} // namespace

TfrmCambiaPassword::TfrmCambiaPassword(Context& context, QWidget* parent)
    : QWidget(parent), m_context(context)
{
    setObjectName(QStringLiteral("frmCambiaPassword"));
    setWindowTitle(QStringLiteral(" Cambia password"));
    Form::dialogFrame(this, 411, 418);
    Form::gradientBackground(this, Form::SteelBlue, 0xFFFFFFFF);

    txtPasswordOld = makePasswordEdit(this, QStringLiteral("txtPasswordOld"));
    txtPasswordNew = makePasswordEdit(this, QStringLiteral("txtPasswordNew"));
    txtConferma = makePasswordEdit(this, QStringLiteral("txtConferma"));
    cmdEsci = makeButton(this, QStringLiteral("cmdEsci"), QStringLiteral("Chiudi"));
    cmdOK = makeButton(this, QStringLiteral("cmdOK"), QStringLiteral("OK"));
    cmdOK->setEnabled(false);

    // The banner spans the window; the fields below sit in a narrower column.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 16);
    layout->setSpacing(2);
    layout->addWidget(makePasswordBanner(this, QSize(395, 110)), 0, Qt::AlignHCenter);
    auto* column = new QVBoxLayout;
    column->setContentsMargins(20, 0, 20, 0);
    column->setSpacing(2);
    column->addStretch(1);
    column->addWidget(makeCaption(this, QStringLiteral("Vecchia password:")));
    column->addWidget(Form::highlightByRectangle(txtPasswordOld, QStringLiteral("effPasswordOld")));
    column->addSpacing(6);
    column->addWidget(makeCaption(this, QStringLiteral("Nuova password:")));
    column->addWidget(Form::highlightByRectangle(txtPasswordNew, QStringLiteral("effPasswordNew")));
    column->addSpacing(6);
    column->addWidget(makeCaption(this, QStringLiteral("Conferma nuova password:")));
    column->addWidget(Form::highlightByRectangle(txtConferma, QStringLiteral("effConferma")));
    column->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(16);
    buttons->addStretch();
    buttons->addWidget(cmdEsci);
    buttons->addWidget(cmdOK);
    buttons->addStretch();
    column->addLayout(buttons);
    layout->addLayout(column, 1);

    for (QLineEdit* edit : {txtPasswordOld, txtPasswordNew, txtConferma})
        connect(edit, &QLineEdit::textChanged, this, &TfrmCambiaPassword::updateOK);
    // Enter only walks the three fields; the change runs from OK alone.
    Form::enterChain({txtPasswordOld, txtPasswordNew, txtConferma});
    connect(cmdOK, &QPushButton::clicked, this, &TfrmCambiaPassword::cmdOKClick);
    connect(cmdEsci, &QPushButton::clicked, this, &QWidget::close);
}

void TfrmCambiaPassword::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    txtPasswordOld->clear();
    txtPasswordNew->clear();
    txtConferma->clear();
    txtPasswordOld->setFocus(Qt::OtherFocusReason);
}

void TfrmCambiaPassword::closeEvent(QCloseEvent* event)
{
    event->accept();
    // A hidden window closed at shutdown must not bring the login back.
    if (isVisible())
        emit closed();
}

void TfrmCambiaPassword::updateOK()
{
    const auto filled = [](const QLineEdit* edit) {
        return !PasswordStore::trimmed(edit->text()).isEmpty();
    };
    cmdOK->setEnabled(filled(txtPasswordOld) && filled(txtPasswordNew) && filled(txtConferma));
}

void TfrmCambiaPassword::refuseNew(const QString& message)
{
    m_context.messages().plain(this, message);
    txtPasswordNew->clear();
    txtConferma->clear();
    txtPasswordNew->setFocus(Qt::OtherFocusReason);
}

void TfrmCambiaPassword::cmdOKClick()
{
    const PasswordStore store(m_context.path(QLatin1String(PasswordStore::FileName)));
    const std::optional<QString> stored = store.read();
    if (!stored) {
        m_context.messages().plain(this, ChangeError);
        return;
    }
    if (PasswordStore::storedForm(txtPasswordOld->text()) != *stored) {
        m_context.messages().plain(this, WrongOldPassword);
        txtPasswordOld->clear();
        txtPasswordOld->setFocus(Qt::OtherFocusReason);
        return;
    }
    // Compared before upper-casing: a confirmation differing only in case is not a confirmation.
    if (PasswordStore::trimmed(txtPasswordNew->text()) !=
        PasswordStore::trimmed(txtConferma->text())) {
        refuseNew(NotConfirmed);
        return;
    }
    if (!PasswordStore::fitsScrambler(PasswordStore::storedForm(txtPasswordNew->text()))) {
        refuseNew(NotStorable);
        return;
    }
    if (!store.write(txtPasswordNew->text())) {
        m_context.messages().plain(this, ChangeError);
        return;
    }
    m_context.messages().plain(this, Changed);
    close();
}

} // namespace rf
