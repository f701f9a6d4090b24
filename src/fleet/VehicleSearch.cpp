#include "VehicleSearch.h"

#include "fleet/SchedaVeicolo.h"

namespace rf::Fleet {

const std::vector<SearchFilterDef>& searchFilters()
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

namespace {
const RecordLayout& card()
{
    return TSchedaVeicolo();
}
int field(const char* name)
{
    return card().indexOf(QLatin1String(name));
}
} // namespace

LineBuilder columns(const RecordView& record)
{
    static const int number = field("BiciNum");
    static const int make = field("Marca");
    static const int size = field("Taglia");
    static const int colour = field("Colore");
    LineBuilder line(record);
    line.text("Bici n. ")
        .field(number, 15)
        .text("  ")
        .field(make, 28)
        .text("  Taglia: ")
        .field(size, 12)
        .text("  Colore: ")
        .field(colour, 24)
        .text("  Anno: ");
    return line;
}

QByteArray searchLine(const RecordView& record)
{
    static const int year = field("Anno");
    static const int state = field("Stato");
    return columns(record).field(year, 10).text("  Stato: ").field(state).take();
}

} // namespace rf::Fleet
