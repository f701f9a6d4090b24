#include "ContractsGuide.h"

namespace rf::Guide {

QStringList contractsParagraphs()
{
    return {
        QStringLiteral(
            "L'app Contratti di Noleggio consente di redigere contratti di noleggio di biciclette, e-bike e "
            "mountain bike in modo semplice e veloce. I dati del veicolo e la tariffa possono essere "
            "importati "
            "direttamente dalle schede della flotta, anche solo digitando il numero della bicicletta e "
            "premendo Invio; il pulsante Calcola conta i giorni di noleggio dalla data di inizio a quella "
            "di fine e, se il totale è ancora a zero, lo propone moltiplicando i giorni per l'importo "
            "unitario. Le date si possono digitare nella forma gg/mm/aaaa."),
        QStringLiteral(
            "Per inserire un contratto in archivio è sufficiente premere Nuovo, compilare i campi e fare "
            "clic "
            "su Salva. Per modificare un contratto già registrato bisogna richiamarlo scorrendo l'archivio "
            "con "
            "le frecce o tramite il pulsante Trova, apportare le modifiche e premere di nuovo Salva. Dopo il "
            "salvataggio di un contratto con bicicletta, data di inizio e data di fine, il programma propone "
            "di "
            "prenotare quei giorni nel planner; se le date cambiano, propone di spostare la prenotazione."),
        QStringLiteral(
            "Il contratto di noleggio messo a disposizione dal software occupa due pagine: sulla prima sono "
            "riportati i dati della ditta, del cliente, del veicolo e del noleggio, sulla seconda le "
            "condizioni "
            "generali. Il contratto può quindi essere stampato sul fronte e sul retro di un unico foglio "
            "A4: la prima voce della finestra di stampa invia entrambe le pagine in una sola volta."),
        QStringLiteral("L'app consente di gestire anche la Scheda di verifica stato veicolo, da compilare al "
                       "momento della "
                       "riconsegna per annotare le condizioni del mezzo e gli eventuali danni riscontrati."),
        QStringLiteral(
            "In ciascun contratto è possibile inserire i dati della ditta di noleggio, i dati anagrafici del "
            "cliente e del suo documento di identità, gli eventuali dati del minore, il veicolo noleggiato "
            "con "
            "la relativa tariffa, data, ora e sede del ritiro e della riconsegna, gli accessori forniti, gli "
            "importi dovuti, la cauzione, le modalità di pagamento e le note."),
        QStringLiteral(
            "Spuntando la casella Riconsegnato si indica che il veicolo è stato restituito dal cliente. Un "
            "apposito pulsante mostra in ogni momento il riepilogo dei veicoli non ancora riconsegnati: "
            "quelli la cui data di fine è già passata sono evidenziati in rosso."),
        QStringLiteral(
            "Per trovare uno o più contratti di noleggio si usa il pulsante Trova, che permette di combinare "
            "più filtri di ricerca, anche con chiave parziale: ad esempio il nome del cliente, il codice "
            "fiscale, il numero della bicicletta o la data di inizio del noleggio."),
        QStringLiteral(
            "La funzione Allega file permette di associare a ogni contratto fino a tre file esterni, "
            "ciascuno "
            "con una descrizione, come la copia del documento di identità del cliente. Ogni allegato può "
            "essere aperto in qualsiasi momento con il pulsante Apri."),
        QStringLiteral(
            "Un apposito pulsante consente di visualizzare ed eventualmente modificare il logo della propria "
            "ditta, che viene stampato sul contratto di noleggio e sulla Scheda di verifica stato veicolo."),
        QStringLiteral(
            "Gli archivi dei contratti di noleggio di biciclette possono essere esportati in formato Excel."),
    };
}

QStringList contractsExportParagraphs()
{
    return {
        QStringLiteral("Il pulsante Esporta archivio consente di esportare tutti i contratti di noleggio "
                       "biciclette in un foglio di lavoro di Microsoft Excel, che potrà essere aperto con "
                       "qualsiasi software in grado di gestire i file in formato XLS (ad esempio, con Open "
                       "Office, Libre Office o Microsoft Office)."),
        QStringLiteral("Dopo aver aperto la finestra contenente la griglia dei dati, bisogna fare clic "
                       "sull'icona di Excel. Questa operazione crea in tempo reale un file in formato XLS "
                       "contenente le schede in archivio, che potrà essere aperto immediatamente rispondendo "
                       "affermativamente al messaggio di domanda che appare."),
        QStringLiteral("A questo punto è sufficiente salvare il file sul proprio disco fisso assegnandogli "
                       "un nome qualsiasi."),
    };
}

} // namespace rf::Guide
