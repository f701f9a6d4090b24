#include "ContractSearch.h"

#include "contracts/SchedaContratto.h"
#include "storage/Amounts.h"

namespace rf::Contracts {

const std::vector<SearchFilterDef>& searchFilters()
{
    static const std::vector<SearchFilterDef> filters{
        {"txtDataInizio", "Data inizio (gg/mm/aaaa):", "DataInizio", "effCampo01"},
        {"txtData", "Data stipula (gg/mm/aaaa):", "Data", "effCampo02"},
        {"txtCliente", "Cliente:", "Cliente", "effCampo03"},
        {"txtCodFisc", "Codice fiscale:", "CodFisc", "effCampo04"},
        {"txtAccessori", "Accessori forniti al cliente:", "Accessori", "effCampo05"},
        {"txtMinore", "Cognome e nome del minore:", "Minore", "effCampo06"},
        {"txtBiciNum", "Bicicletta n.", "BiciNum", "effCampo07"},
        {"txtMarca", "Marca e modello:", "Marca", "effCampo08"},
        {"txtDifetti", "Difetti veicolo al rientro:", "Difetti", "effCampo09"},
        {"txtNote", "Note:", "Note", "effCampo10"},
    };
    return filters;
}

QByteArray listLine(const RecordView& record)
{
    static const RecordLayout& layout = TSchedaContratto();
    static const int customer = layout.indexOf(QStringLiteral("Cliente"));
    static const int phone = layout.indexOf(QStringLiteral("Recapito"));
    static const int bicycle = layout.indexOf(QStringLiteral("BiciNum"));
    static const int make = layout.indexOf(QStringLiteral("Marca"));
    static const int start = layout.indexOf(QStringLiteral("DataInizio"));
    static const int end = layout.indexOf(QStringLiteral("DataFine"));
    static const int total = layout.indexOf(QStringLiteral("Totale"));
    return LineBuilder(record)
        .field(customer, 26)
        .text("  Tel. ")
        .field(phone, 16)
        .text("  Bici n. ")
        .field(bicycle, 15)
        .text("  ")
        .field(make, 28)
        .text("  Dal: ")
        .field(start, 10)
        .text("  Al: ")
        .field(end, 10)
        .text("  Tot. \x80 ") // the euro sign in Windows-1252
        .field(total)
        .take();
}

bool notReturned(const RecordView& record)
{
    return record.fieldBytes(ReturnedField) == "No";
}

bool overdue(const RecordView& record, const QDate& today)
{
    static const int end = TSchedaContratto().indexOf(QStringLiteral("DataFine"));
    if (!notReturned(record))
        return false;
    return pastItsEnd(parseDate(record.field(end)), today);
}

bool pastItsEnd(const QDate& endDate, const QDate& today)
{
    return endDate.isValid() && endDate < today;
}

QString outCount(int out, int late)
{
    return (out == 1 ? QStringLiteral("1 veicolo fuori") : QStringLiteral("%1 veicoli fuori").arg(out)) +
           QStringLiteral(", di cui %1 in ritardo").arg(late);
}

} // namespace rf::Contracts
