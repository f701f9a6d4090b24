#include "TfrmPartitaIva.h"

#include "common/ui/Context.h"
#include "common/ui/Form.h"
#include "contracts/FiscalChecks.h"
#include "storage/MessageBreaks.h"

#include <QLineEdit>

namespace rf {

namespace {

const QString WrongLength =
    QStringLiteral("Attenzione: la partita IVA deve essere composta da 11 caratteri numerici.");
const QString ValidFrom = QStringLiteral("Il numero di partita IVA digitato risulta VALIDO." RF_BREAK_CR_LF
                                         "E' stato rilasciato dall'Ufficio IVA del Comune di ");
const QString Wrong = QStringLiteral(
    "Attenzione: il numero di partita IVA digitato risulta ERRATO!" RF_BREAK_CR_LF
    "Non è quindi possibile fornire informazioni relative all'Ufficio IVA che lo ha rilasciato.");

} // namespace

TfrmPartitaIva::TfrmPartitaIva(Context& context, QWidget* owner)
    : FiscalCheckDialog(
          context, owner,
          {QStringLiteral("frmPartitaIva"), QStringLiteral(" Controllo partita IVA"),
           QStringLiteral(":/contracts/fiscal_partita_iva.svg"),
           QStringLiteral("Immettere il numero di partita IVA e premere il pulsante di controllo."),
           QStringLiteral("txtPartitaIva"), QStringLiteral("effPartitaIva"), 11})
{
    Form::filterKeys(m_edit, Form::Keys::DigitsOnly);
}

void TfrmPartitaIva::setNumber(const QString& number)
{
    m_edit->setText(number);
}

void TfrmPartitaIva::check()
{
    const QString number = Form::capitalsAtoZ(m_edit->text());
    if (number.size() != 11) {
        m_context.messages().warning(this, WrongLength);
        m_edit->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (Fiscal::isValidVatNumber(number))
        m_context.messages().information(this, ValidFrom + Fiscal::vatOffice(number) + QLatin1Char('.'));
    else
        m_context.messages().warning(this, Wrong);
    accept();
}

} // namespace rf
