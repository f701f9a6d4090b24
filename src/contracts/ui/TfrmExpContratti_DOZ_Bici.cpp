#include "TfrmExpContratti_DOZ_Bici.h"

#include "contracts/ContractExport.h"
#include "contracts/ContractsGuide.h"
#include "contracts/SchedaContratto.h"

namespace rf {

TfrmExpContratti_DOZ_Bici::TfrmExpContratti_DOZ_Bici(Context& context, QWidget* owner)
    : ExportWindow(context, owner,
                   {QStringLiteral("frmExpContratti_DOZ_Bici"),
                    QStringLiteral(" Esporta archivio contratti noleggio biciclette in Excel"),
                    Guide::ContractsExportTitle, Guide::contractsExportParagraphs()},
                   {QString::fromLatin1(Contracts::ArchiveName), TSchedaContratto(),
                    Contracts::exportColumns(), QString::fromLatin1(Contracts::ExportFileName),
                    QString::fromLatin1(Contracts::ExportWorksheet)})
{
}

} // namespace rf
