#include "TfrmTrovaContratti_DOZ_Bici.h"

#include "contracts/ContractSearch.h"
#include "contracts/SchedaContratto.h"

namespace rf {

TfrmTrovaContratti_DOZ_Bici::TfrmTrovaContratti_DOZ_Bici(Context& context, QWidget* owner)
    : SearchWindow(context, owner,
                   {QStringLiteral("frmTrovaContratti_DOZ_Bici"),
                    QStringLiteral(" Trova contratti di noleggio biciclette in archivio"),
                    QStringLiteral("Riepilogo contratti di noleggio biciclette"), QString(),
                    QStringLiteral("Per richiamare i dati di una scheda, selezionarla con un doppio clic."),
                    QStringLiteral("Il presente riepilogo contiene %1 schede.")},
                   {QString::fromLatin1(Contracts::ArchiveName), &TSchedaContratto(), Contracts::listLine},
                   Contracts::searchFilters(),
                   QStringLiteral("Digitare una o più parole consecutive dei contratti da trovare nei campi "
                                  "prescelti e premere Cerca, lasciando vuoti gli altri campi. Nella stessa "
                                  "ricerca si possono usare più campi."))
{
}

} // namespace rf
