#include "ContractExport.h"

#include "contracts/SchedaContratto.h"

namespace rf::Contracts {

namespace {

ExportValue field(const char* name)
{
    return fieldValue(TSchedaContratto(), name);
}

// A date and a time as the sheet shows them: "Data: 01/07/2024 Ora: 09:30".
ExportValue dateAndTime(const char* date, const char* time)
{
    return [date = field(date), time = field(time)](const RecordView& record, std::string& out) {
        out += "Data: ";
        date(record, out);
        out += " Ora: ";
        time(record, out);
    };
}

} // namespace

const std::vector<ExportColumn>& exportColumns()
{
    static const std::vector<ExportColumn> columns{
        fieldColumn(QStringLiteral("Data stipula"), 120, QStringLiteral("Data stipula"), 120,
                    TSchedaContratto(), "Data"),
        fieldColumn(QStringLiteral("Cliente"), 250, QStringLiteral("Cliente"), 250, TSchedaContratto(),
                    "Cliente"),
        fieldColumn(QStringLiteral("Via e numero civico"), 250, QStringLiteral("Via e numero civico"), 280,
                    TSchedaContratto(), "IndirizzoRes"),
        {QStringLiteral("Comune di residenza"), 250, QStringLiteral("Comune di residenza"), 250,
         [town = field("ComuneRes"), province = field("ProvRes")](const RecordView& record,
                                                                  std::string& out) {
             town(record, out);
             out += ' ';
             province(record, out);
         }},
        fieldColumn(QStringLiteral("Codice fiscale"), 150, QStringLiteral("Codice fiscale"), 150,
                    TSchedaContratto(), "CodFisc"),
        fieldColumn(QStringLiteral("Telefono"), 150, QStringLiteral("Telefono"), 200, TSchedaContratto(),
                    "Recapito"),
        fieldColumn(QStringLiteral("Cognome e nome del minore"), 250,
                    QStringLiteral("Cognome e nome del minore"), 250, TSchedaContratto(), "Minore"),
        fieldColumn(QStringLiteral("Tipologia tariffa"), 200, QStringLiteral("Tipologia tariffa"), 250,
                    TSchedaContratto(), "Tariffa"),
        fieldColumn(QStringLiteral("Importo unitario"), 150, QStringLiteral("Importo unitario"), 180,
                    TSchedaContratto(), "Importo"),
        fieldColumn(QStringLiteral("Criterio conteggio"), 300, QStringLiteral("Criterio conteggio"), 300,
                    TSchedaContratto(), "Conteggio"),
        fieldColumn(QStringLiteral("Importo totale"), 150, QStringLiteral("Imp. totale"), 180,
                    TSchedaContratto(), "Totale"),
        fieldColumn(QStringLiteral("Bicicletta n."), 160, QStringLiteral("Bicicletta n."), 250,
                    TSchedaContratto(), "BiciNum"),
        fieldColumn(QStringLiteral("Marca e modello"), 250, QStringLiteral("Marca e modello"), 280,
                    TSchedaContratto(), "Marca"),
        fieldColumn(QStringLiteral("Telaio n."), 160, QStringLiteral("Telaio n."), 250, TSchedaContratto(),
                    "Telaio"),
        fieldColumn(QStringLiteral("Taglia"), 160, QStringLiteral("Taglia"), 200, TSchedaContratto(),
                    "Taglia"),
        fieldColumn(QStringLiteral("Accessori forniti al cliente"), 300,
                    QStringLiteral("Accessori forniti al cliente"), 350, TSchedaContratto(), "Accessori"),
        {QStringLiteral("Inizio noleggio"), 280, QStringLiteral("Inizio noleggio"), 280,
         dateAndTime("DataInizio", "OraInizio")},
        fieldColumn(QStringLiteral("Sede ritiro"), 250, QStringLiteral("Sede ritiro"), 250,
                    TSchedaContratto(), "SedeRit"),
        {QStringLiteral("Fine noleggio"), 280, QStringLiteral("Fine noleggio"), 280,
         dateAndTime("DataFine", "OraFine")},
        fieldColumn(QStringLiteral("Sede riconsegna"), 250, QStringLiteral("Sede riconsegna"), 250,
                    TSchedaContratto(), "SedeRic"),
        fieldColumn(QStringLiteral("Tot. giorni"), 120, QStringLiteral("Tot. giorni"), 150,
                    TSchedaContratto(), "TotGiorni"),
        fieldColumn(QStringLiteral("Modalità di pagamento"), 250, QStringLiteral("Modalità di pagamento"),
                    300, TSchedaContratto(), "Pagamento"),
        fieldColumn(QStringLiteral("Imp. cauzione"), 150, QStringLiteral("Imp. cauzione"), 150,
                    TSchedaContratto(), "Cauzione"),
        fieldColumn(QStringLiteral("Difetti veicolo al rientro"), 300,
                    QStringLiteral("Difetti veicolo al rientro"), 350, TSchedaContratto(), "Difetti"),
        fieldColumn(QStringLiteral("Note"), 300, QStringLiteral("Note"), 350, TSchedaContratto(), "Note"),
    };
    return columns;
}

} // namespace rf::Contracts
