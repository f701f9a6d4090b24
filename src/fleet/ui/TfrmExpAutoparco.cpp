#include "TfrmExpAutoparco.h"

#include "fleet/FleetExport.h"
#include "fleet/FleetGuide.h"
#include "fleet/SchedaVeicolo.h"

namespace rf {

TfrmExpAutoparco::TfrmExpAutoparco(Context& context, QWidget* owner)
    : ExportWindow(context, owner,
                   {QStringLiteral("frmExpAutoparco"),
                    QStringLiteral(" Esportazione archivio veicoli in Excel"), Guide::FleetExportTitle,
                    Guide::fleetExportParagraphs()},
                   {QString::fromLatin1(Fleet::ArchiveName), TSchedaVeicolo(), Fleet::exportColumns(),
                    QString::fromLatin1(Fleet::ExportFileName), QString::fromLatin1(Fleet::ExportWorksheet)})
{
}

} // namespace rf
