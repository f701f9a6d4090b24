#include "FleetExport.h"

#include "fleet/SchedaVeicolo.h"

namespace rf::Fleet {

const std::vector<ExportColumn>& exportColumns()
{
    static const std::vector<ExportColumn> columns = [] {
        struct Plain {
            const char* gridHeader;
            int gridWidth;
            const char* header;
            int width;
            const char* field;
        };
        static const Plain table[] = {
            {"Bicicletta n.", 180, "Bicicletta n.", 250, "BiciNum"},
            {"Marca e modello", 250, "Marca e modello", 300, "Marca"},
            {"Telaio n.", 200, "Telaio n.", 250, "Telaio"},
            {"Misure", 300, "Misure", 300, "Misure"},
            {"Taglia", 180, "Taglia", 200, "Taglia"},
            {"Anno costruzione", 160, "Anno costruzione", 200, "Anno"},
            {"Colore", 200, "Colore", 250, "Colore"},
            {"Freni", 250, "Freni", 300, "Freni"},
            {"Pneumatici", 250, "Pneumatici", 300, "Pneumatici"},
            {"Stato veicolo", 200, "Stato veicolo", 250, "Stato"},
            {"Valore attuale", 180, "Valore attuale", 250, "Valore"},
            {"Peso complessivo", 180, "Peso complessivo", 250, "Peso"},
            {"Tipologia tariffa noleggio", 200, "Tipologia tariffa noleggio", 250, "Tariffa"},
            {"Criterio conteggio", 300, "Criterio conteggio", 300, "Conteggio"},
            {"Importo unitario", 180, "Importo unitario", 200, "Importo"},
            {"Compagnia assicurativa", 250, "Compagnia assicurativa", 300, "Compagnia"},
            {"Tel. assicuratore", 180, "Tel. assicuratore", 200, "TelAssicuratore"},
            {"Accessori forniti al cliente", 300, "Accessori forniti al cliente", 300, "Accessori"},
            {"Responsabile", 250, "Responsabile", 250, "Responsabile"},
            {"Tel. responsabile", 180, "Tel. responsabile", 200, "TelResponsabile"},
            {"Meccanico", 250, "Meccanico", 250, "Meccanico"},
            {"Tel. meccanico", 180, "Tel. meccanico", 200, "TelMeccanico"},
            {"Documenti veicolo", 300, "Documenti veicolo", 300, "Documenti"},
            {"Luogo custodia", 250, "Luogo custodia", 250, "Luogo"},
            {"Note", 350, "Note", 400, "Note"},
        };
        std::vector<ExportColumn> out;
        for (const Plain& c : table)
            out.push_back(fieldColumn(QString::fromUtf8(c.gridHeader), c.gridWidth,
                                      QString::fromUtf8(c.header), c.width, TSchedaVeicolo(), c.field));
        return out;
    }();
    return columns;
}

} // namespace rf::Fleet
