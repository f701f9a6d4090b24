#include "SchedaContratto.h"

#include "storage/Attachments.h"

namespace rf {

const RecordLayout& TSchedaContratto()
{
    static const RecordLayout layout{{
                                         {"Ditta01", 250, "Dati ditta noleggio (rigo 1):"},
                                         {"Ditta02", 250, "Dati ditta noleggio (rigo 2):"},
                                         {"Data", 10, "Data stipula:"},
                                         {"Luogo", 50, "Luogo stipula:"},
                                         {"Cliente", 50, "Cliente:"},
                                         {"Sesso", 1, "Sesso:"},
                                         {"IndirizzoRes", 50, "Indirizzo e numero civico:"},
                                         {"ComuneRes", 50, "Comune di residenza:"},
                                         {"ProvRes", 2, "Prov."},
                                         {"CapRes", 5, "CAP:"},
                                         {"CodFisc", 16, "Codice fiscale:"},
                                         {"Recapito", 50, "Tel."},
                                         {"DataNasc", 10, "Data di nascita:"},
                                         {"LuogoNasc", 50, "Luogo di nascita:"},
                                         {"ProvNasc", 2, "Prov."},
                                         {"TipoDoc", 30, "Tipo documento:"},
                                         {"NumDoc", 50, "Numero:"},
                                         {"EnteRil", 50, "Ente di rilascio:"},
                                         {"DataRil", 10, "Data di rilascio:"},
                                         {"DataSca", 10, "Data di scadenza:"},
                                         {"Minore", 50, "Cognome e nome del minore:"},
                                         {"SessoMin", 1, "Sesso:"},
                                         {"LuogoNascMin", 50, "Luogo di nascita:"},
                                         {"DataNascMin", 10, "Data di nascita:"},
                                         {"BiciNum", 30, "Bicicletta n."},
                                         {"Marca", 120, "Marca e modello:"},
                                         {"Telaio", 50, "Telaio n."},
                                         {"Taglia", 30, "Taglia:"},
                                         {"Tariffa", 50, "Tipologia tariffa:"},
                                         {"Conteggio", 250, "Criterio conteggio:"},
                                         {"Eccedenza", 250, "Criterio calcolo eccedenza:"},
                                         {"Importo", 10, "Importo unitario:"},
                                         {"Totale", 10, "Importo totale:"},
                                         {"DataInizio", 10, "Data inizio:"},
                                         {"OraInizio", 5, "Ora inizio:"},
                                         {"SedeRit", 50, "Sede ritiro veicolo:"},
                                         {"DataFine", 10, "Data fine:"},
                                         {"OraFine", 5, "Ora fine:"},
                                         {"SedeRic", 50, "Sede riconsegna veicolo:"},
                                         {"TotGiorni", 5, "Totale giorni:"},
                                         {"Accessori", 250, "Accessori forniti al cliente:"},
                                         {"Cauzione", 10, "Importo cauzione:"},
                                         {"Difetti", 250, "Difetti riscontrati al rientro:"},
                                         {"Pagamento", 250, "Modalità di pagamento:"},
                                         {"Foro", 50, "Foro competente:"},
                                         {"Assicurazioni", 250, "Polizze assicurative:"},
                                         {"Privacy", 120, "Titolare privacy:"},
                                         {"Note", 250, "Note:"},
                                         {"Riconsegnato", 2, "Riconsegnato"},
                                     },
                                     attachmentFields()};
    return layout;
}

} // namespace rf
