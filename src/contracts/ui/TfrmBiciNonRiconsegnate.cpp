#include "TfrmBiciNonRiconsegnate.h"

#include "common/ui/Context.h"
#include "contracts/ContractSearch.h"
#include "contracts/SchedaContratto.h"

#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>

namespace rf {

TfrmBiciNonRiconsegnate::TfrmBiciNonRiconsegnate(Context& context, QWidget* owner)
    : ListWindow(
          context, owner,
          {QStringLiteral("frmBiciNonRiconsegnate"), QStringLiteral(" Riepilogo veicoli non riconsegnati"),
           QStringLiteral("Riepilogo veicoli non riconsegnati"), QString(),
           QStringLiteral("Fare doppio clic su una voce in elenco per richiamare la scheda"), QString()},
          {QString::fromLatin1(Contracts::ArchiveName), &TSchedaContratto(), Contracts::listLine})
{
    m_lblRitardi = new QLabel;
    m_lblRitardi->setObjectName(QStringLiteral("lblRitardi"));
    addBottomLabel(m_lblRitardi);
}

void TfrmBiciNonRiconsegnate::showEvent(QShowEvent* event)
{
    ListWindow::showEvent(event);
    if (event->spontaneous())
        return;
    // A failure keeps the lines read before it, without a message.
    const QDate today = m_context.clock().today();
    fill(Contracts::notReturned, [today](const RecordView& record) {
        return Contracts::overdue(record, today) ? Style::TakenRed : QRgb(0);
    });
    int late = 0;
    for (int row = 0; row < lines().rowCount(); ++row)
        late += lines().inked(row);
    m_lblRitardi->setText(Contracts::outCount(lines().rowCount(), late));
    setPrintNote(m_lblRitardi->text()); // the printed list tells it too
    showResults();
}

} // namespace rf
