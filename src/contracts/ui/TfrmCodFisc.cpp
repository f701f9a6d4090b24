#include "TfrmCodFisc.h"

#include "common/ui/Context.h"
#include "common/ui/Form.h"
#include "contracts/FiscalChecks.h"

#include <QLineEdit>

namespace rf {

namespace {
const QString WrongLength =
    QStringLiteral("Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici.");
const QString Valid = QStringLiteral("Il codice fiscale digitato è VALIDO.");
const QString Wrong = QStringLiteral("Attenzione: il codice fiscale digitato è ERRATO.");
} // namespace

TfrmCodFisc::TfrmCodFisc(Context& context, QWidget* owner)
    : FiscalCheckDialog(context, owner,
                        {QStringLiteral("frmCodFisc"), QStringLiteral(" Controllo codice fiscale"),
                         QStringLiteral(":/contracts/fiscal_codice.svg"),
                         QStringLiteral("Immettere il codice fiscale e premere il pulsante di controllo."),
                         QStringLiteral("txtCodFisc"), QStringLiteral("effCodFisc"), 16})
{
    Form::capitalsWhileTyping(m_edit, true);
}

void TfrmCodFisc::setCode(const QString& code)
{
    m_edit->setText(code);
}

void TfrmCodFisc::check()
{
    const QString code = Form::capitalsAtoZ(m_edit->text());
    if (code.size() != 16) {
        m_context.messages().warning(this, WrongLength);
        m_edit->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (Fiscal::isValidFiscalCode(code))
        m_context.messages().information(this, Valid);
    else
        m_context.messages().warning(this, Wrong);
    accept();
}

} // namespace rf
