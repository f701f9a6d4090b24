#include "TfrmRiepPrenotazioni.h"

#include <QLineEdit>
#include <QShowEvent>

namespace rf {

TfrmRiepPrenotazioni::TfrmRiepPrenotazioni(Context& context, QWidget* owner, const QStringList& lines,
                                           const QString& title, QString& lastSearch)
    : ListWindow(context, owner,
                 {QStringLiteral("frmRiepPrenotazioni"), QStringLiteral(" Riepilogo prenotazioni veicolo"),
                  title, QString(), QString(), QString()})
{
    keepSearchKeyIn(lastSearch);
    model().setItemWidth(760);
    setLines(lines);
}

void TfrmRiepPrenotazioni::showEvent(QShowEvent* event)
{
    ListWindow::showEvent(event);
    if (!event->spontaneous())
        showResults();
}

} // namespace rf
