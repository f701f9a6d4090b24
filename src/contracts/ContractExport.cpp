#include "ContractExport.h"

#include "contracts/SchedaContratto.h"

namespace rf::Contracts {

namespace {

ExportValue field(const char* name)
{
    return FieldValue(TSchedaContratto(), name);
}

// A date and a time as the sheet shows them: "Data: 01/07/2024 Ora: 09:30".
ExportValue dateAndTime(const char* date, const char* time)
{
    return [date = field(date), time = field(time)](const RecordView& record, QByteArray& out) {
        out += "Data: ";
        date(record, out);
        out += " Ora: ";
        time(record, out);
    };
}

} // namespace

const std::vector<ExportColumn>& ExportColumns()
{
    static const std::vector<ExportColumn> columns{
        {QStringLiteral("Data stipula"), 120, QStringLiteral("Data stipula"), 120, field("Data")},
        {QStringLiteral("Cliente"), 250, QStringLiteral("Cliente"), 250, field("Cliente")},
        {QStringLiteral("Via e numero civico"), 250, QStringLiteral("Via e numero civico"), 280, field("IndirizzoRes")},
        {QStringLiteral("Comune di residenza"), 250, QStringLiteral("Comune di residenza"), 250,
         [town = field("ComuneRes"), province = field("ProvRes")](const RecordView& record, QByteArray& out) {
             town(record, out);
             out += ' ';
             province(record, out);
         }},
        {QStringLiteral("Codice fiscale"), 150, QStringLiteral("Codice fiscale"), 150, field("CodFisc")},
        {QStringLiteral("Telefono"), 150, QStringLiteral("Telefono"), 200, field("Recapito")},
        {QStringLiteral("Cognome e nome del minore"), 250, QStringLiteral("Cognome e nome del minore"), 250,
         field("Minore")},
        {QStringLiteral("Tipologia tariffa"), 200, QStringLiteral("Tipologia tariffa"), 250, field("Tariffa")},
        {QStringLiteral("Importo unitario"), 150, QStringLiteral("Importo unitario"), 180, field("Importo")},
        {QStringLiteral("Criterio conteggio"), 300, QStringLiteral("Criterio conteggio"), 300, field("Conteggio")},
        {QStringLiteral("Importo totale"), 150, QStringLiteral("Imp. totale"), 180, field("Totale")},
        {QStringLiteral("Bicicletta n."), 160, QStringLiteral("Bicicletta n."), 250, field("BiciNum")},
        {QStringLiteral("Marca e modello"), 250, QStringLiteral("Marca e modello"), 280, field("Marca")},
        {QStringLiteral("Telaio n."), 160, QStringLiteral("Telaio n."), 250, field("Telaio")},
        {QStringLiteral("Taglia"), 160, QStringLiteral("Taglia"), 200, field("Taglia")},
        {QStringLiteral("Accessori forniti al cliente"), 300, QStringLiteral("Accessori forniti al cliente"), 350,
         field("Accessori")},
        {QStringLiteral("Inizio noleggio"), 280, QStringLiteral("Inizio noleggio"), 280,
         dateAndTime("DataInizio", "OraInizio")},
        {QStringLiteral("Sede ritiro"), 250, QStringLiteral("Sede ritiro"), 250, field("SedeRit")},
        {QStringLiteral("Fine noleggio"), 280, QStringLiteral("Fine noleggio"), 280, dateAndTime("DataFine", "OraFine")},
        {QStringLiteral("Sede riconsegna"), 250, QStringLiteral("Sede riconsegna"), 250, field("SedeRic")},
        {QStringLiteral("Tot. giorni"), 120, QStringLiteral("Tot. giorni"), 150, field("TotGiorni")},
        {QStringLiteral("Modalità di pagamento"), 250, QStringLiteral("Modalità di pagamento"), 300, field("Pagamento")},
        {QStringLiteral("Imp. cauzione"), 150, QStringLiteral("Imp. cauzione"), 150, field("Cauzione")},
        {QStringLiteral("Difetti veicolo al rientro"), 300, QStringLiteral("Difetti veicolo al rientro"), 350,
         field("Difetti")},
        {QStringLiteral("Note"), 300, QStringLiteral("Note"), 350, field("Note")},
    };
    return columns;
}

} // namespace rf::Contracts
