#include "TfrmTrovaBici.h"

#include "fleet/SchedaVeicolo.h"
#include "fleet/VehicleSearch.h"

namespace rf {

TfrmTrovaBici::TfrmTrovaBici(Context& context, QWidget* owner, Mode mode)
    : SearchWindow(context, owner,
                   {QStringLiteral("frmTrovaBici"), QStringLiteral(" Trova schede biciclette in archivio"),
                    QStringLiteral("Riepilogo schede biciclette in archivio"), QStringLiteral("lblRigo03"),
                    QStringLiteral("Fare doppio clic sulla voce in elenco per richiamare la scheda"),
                    QStringLiteral("Il presente riepilogo contiene %1 schede")},
                   {QString::fromLatin1(Fleet::ArchiveName), &TSchedaVeicolo(), Fleet::searchLine},
                   Fleet::searchFilters(),
                   QStringLiteral("Digitare una o più parole consecutive delle schede da trovare nei campi "
                                  "prescelti e premere Cerca, lasciando vuoti gli altri campi. Nella stessa "
                                  "ricerca si possono usare più campi.")),
      lblMemory(mode)
{
}

} // namespace rf
