#include "TfrmAnteprima_Contratto_Noleggio_Bici.h"

#include "app/ui/Context.h"
#include "contracts/CompanyLogo.h"
#include "contracts/ui/TfrmContratti_Noleggio_Bici.h"
#include "contracts/ui/TfrmStampa_Contratto_Noleggio_Bici.h"
#include "reports/Layout.h"

#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

constexpr int ClientWidth = 363;
constexpr int ClientHeight = 300;

const QString PreviewFailed = QStringLiteral("Attenzione: la visualizzazione dell'anteprima di stampa del "
                                             "documento non è andata a buon fine.\n\r\n\rSi "
                                             "consiglia di ridurre le dimensioni della foto.");

} // namespace

TfrmAnteprima_Contratto_Noleggio_Bici::TfrmAnteprima_Contratto_Noleggio_Bici(
    rf::Context& context, TfrmContratti_Noleggio_Bici& form)
    : QDialog(&form), m_context(context), m_form(form)
{
    using namespace rf::ContractPrint;
    m_btnAnnulla = new QPushButton(QStringLiteral("Chiudi"));
    m_btnAnnulla->setObjectName(QStringLiteral("btnAnnulla"));
    m_btnAnnulla->setCursor(Qt::PointingHandCursor);
    m_btnAnnulla->setAutoDefault(false);
    QVBoxLayout* buttons = buildWindow(this, QStringLiteral("frmAnteprima_Contratto_Noleggio_Bici"),
                                       QStringLiteral(" Anteprima di stampa"), ClientWidth, ClientHeight,
                                       QStringLiteral(":/contracts/print_contract_banner.svg"), m_btnAnnulla);

    m_btnAnteprima = makeButton(QStringLiteral("btnAnteprima"), QStringLiteral("Mostra anteprima"),
                                QStringLiteral(":/toolbar/preview.svg"));
    buttons->addWidget(m_btnAnteprima);
    m_btnAnteprima->setFocus();
    connect(m_btnAnteprima, &QPushButton::clicked, this,
            &TfrmAnteprima_Contratto_Noleggio_Bici::btnAnteprimaClick);
}

void TfrmAnteprima_Contratto_Noleggio_Bici::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        m_imgLogo = rf::CompanyLogo::loadLogo(m_context.programFolder());
}

void TfrmAnteprima_Contratto_Noleggio_Bici::btnAnteprimaClick()
{
    if (m_imgLogo.isNull())
        m_imgLogo = rf::CompanyLogo::loadLogo(m_context.programFolder());
    const rf::report::Report repDocumento = rf::ContractPrint::filledFront(m_form, m_imgLogo);
    const rf::report::Prepared prepared = rf::report::Prepare(repDocumento, m_context.clock().today());
    if (!prepared.ok || !m_context.reports().preview(this, prepared.document)) {
        m_context.messages().warning(this, PreviewFailed);
        reject();
        return;
    }
    accept();
}
