#include "VehicleSearch.h"

#include "fleet/SchedaVeicolo.h"

namespace rf::Fleet {

const std::vector<SearchFilterDef>& SearchFilters()
{
    static const std::vector<SearchFilterDef> filters{
        {"txtBiciNum", "Bicicletta n.", "BiciNum", "effCampo01"},
        {"txtMarca", "Marca e modello:", "Marca", "effCampo02"},
        {"txtTelaio", "Telaio n.", "Telaio", "effCampo09"},
        {"txtTaglia", "Taglia:", "Taglia", "effCampo10"},
        {"txtColore", "Colore:", "Colore", "effCampo05"},
        {"txtStato", "Stato veicolo:", "Stato", "effCampo06"},
        {"txtResponsabile", "Responsabile:", "Responsabile", "effCampo07"},
        {"txtMeccanico", "Meccanico:", "Meccanico", "effCampo08"},
        {"txtAccessori", "Accessori forniti al cliente:", "Accessori", "effCampo03"},
        {"txtNote", "Note:", "Note", "effCampo04"},
    };
    return filters;
}

QString SearchLine(const RecordView& record)
{
    static const RecordLayout& layout = TSchedaVeicolo();
    static const int number = layout.indexOf(QStringLiteral("BiciNum"));
    static const int make = layout.indexOf(QStringLiteral("Marca"));
    static const int size = layout.indexOf(QStringLiteral("Taglia"));
    static const int colour = layout.indexOf(QStringLiteral("Colore"));
    static const int year = layout.indexOf(QStringLiteral("Anno"));
    static const int state = layout.indexOf(QStringLiteral("Stato"));
    return QStringLiteral("Bici n. ") + Fit(record.field(number), 15) + QStringLiteral("  ") +
           Fit(record.field(make), 28) + QStringLiteral("  Taglia: ") + Fit(record.field(size), 12) +
           QStringLiteral("  Colore: ") + Fit(record.field(colour), 24) + QStringLiteral("  Anno: ") +
           Fit(record.field(year), 10) + QStringLiteral("  Stato: ") + record.field(state);
}

} // namespace rf::Fleet
