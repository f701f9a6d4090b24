#include "TfrmBiciNonRiconsegnate.h"

#include "contracts/ContractSearch.h"
#include "contracts/SchedaContratto.h"

#include <QLineEdit>
#include <QShowEvent>

namespace rf {

TfrmBiciNonRiconsegnate::TfrmBiciNonRiconsegnate(Context& context, QWidget* owner)
    : ListWindow(context, owner,
                 {QStringLiteral("frmBiciNonRiconsegnate"), QStringLiteral(" Riepilogo veicoli non riconsegnati"),
                  QStringLiteral("Riepilogo veicoli non riconsegnati"), QString(),
                  QStringLiteral("Fare doppio clic su una voce in elenco per richiamare la scheda"), QString()},
                 {QString::fromLatin1(Contracts::ArchiveName), &TSchedaContratto(), Contracts::ListLine})
{
}

void TfrmBiciNonRiconsegnate::showEvent(QShowEvent* event)
{
    ListWindow::showEvent(event);
    if (event->spontaneous())
        return;
    // A failure keeps the lines read before it, without a message.
    fill(Contracts::NotReturned);
    showResults();
}

} // namespace rf
