#include "FleetGuide.h"

namespace rf::Guide {

QStringList fleetParagraphs()
{
    return {
        QStringLiteral(
            "L'app Flotta Bici permette di creare una dettagliata scheda descrittiva di ogni mezzo del parco "
            "biciclette, mountain bike, e-bike ecc. di cui la propria ditta di noleggio dispone. Per ciascun "
            "veicolo si possono annotare il numero identificativo, la marca e il modello, il numero di "
            "telaio, "
            "le misure, la taglia, l'anno di costruzione, il colore, il tipo di freni e di pneumatici, lo "
            "stato "
            "del veicolo, il valore attuale, il peso complessivo, i documenti e il luogo di custodia. La "
            "scheda "
            "può essere completata con una foto del mezzo."),
        QStringLiteral(
            "E' inoltre possibile annotare le condizioni applicate al noleggio della bicicletta: la "
            "tipologia "
            "di tariffa, il criterio di conteggio dei giorni e delle ore, il criterio di calcolo "
            "dell'eccedenza "
            "in caso di riconsegna in ritardo e l'importo unitario. Si possono elencare anche gli accessori "
            "forniti al cliente insieme al mezzo, come casco, lucchetto e catena o kit per la riparazione "
            "delle "
            "forature."),
        QStringLiteral(
            "Nel caso in cui sia stata stipulata un'assicurazione per furto e danno della bici a noleggio, "
            "si "
            "possono indicare la compagnia assicurativa, il recapito telefonico dell'assicuratore e "
            "l'importo "
            "della polizza. La scheda riporta inoltre il nome e il telefono del responsabile del mezzo e del "
            "meccanico di fiducia, oltre a un campo libero per le note."),
        QStringLiteral("I dati relativi alla bicicletta e alle condizioni di locazione potranno essere "
                       "importati in fase "
                       "di emissione del contratto di noleggio per velocizzarne la compilazione."),
        QStringLiteral("Per registrare una nuova scheda, è sufficiente fare clic sul pulsante Nuovo, "
                       "compilare i campi di "
                       "testo e premere Salva. I campi obbligatori sono il numero della bicicletta, la marca "
                       "e il modello, "
                       "la taglia e il colore."),
        QStringLiteral(
            "Per aggiornare una scheda esistente, bisogna richiamarla nella finestra di lavoro, apportare le "
            "modifiche desiderate e premere Salva. Una scheda si richiama con il pulsante Trova oppure "
            "scorrendo l'archivio con le frecce, che consentono anche di passare direttamente alla prima o "
            "all'ultima scheda."),
        QStringLiteral(
            "Il pulsante Carica foto permette di inserire l'immagine della bicicletta in formato Jpeg o "
            "Bitmap "
            "nella scheda tecnica descrittiva. La foto viene mostrata in anteprima ridotta e, facendo clic "
            "sull'icona della lente di ingrandimento, la si può visualizzare a tutto schermo. Gli appositi "
            "pulsanti consentono infine di salvare una copia della foto su disco o di cancellarla dalla "
            "scheda."),
        QStringLiteral(
            "Il pulsante Duplica è utile se si deve registrare la scheda di una nuova bicicletta che ha "
            "molti "
            "elementi in comune con quella di un veicolo già in archivio. Basta richiamare la scheda del "
            "veicolo simile, premere Duplica, modificare i dati che cambiano e premere Salva: la copia viene "
            "inserita in archivio come nuova scheda, senza la foto e gli allegati dell'originale."),
        QStringLiteral(
            "Il programma consente di allegare a ciascuna scheda file esterni di qualsiasi genere, ad "
            "esempio "
            "la scansione dello scontrino d'acquisto o del contratto di assicurazione. Per ogni scheda si "
            "possono allegare fino a tre file, ciascuno accompagnato da una breve descrizione."),
        QStringLiteral(
            "Il pulsante Trova consente di effettuare ricerche avanzate in archivio funzionanti anche con "
            "chiave parziale, combinando più filtri contemporaneamente: si possono ad esempio elencare tutte "
            "le biciclette affidate a un certo responsabile oppure tutte quelle di una determinata marca e "
            "modello. L'elenco dei risultati può essere stampato."),
        QStringLiteral(
            "La scheda tecnica descrittiva completa di foto di ciascuna bicicletta può essere visualizzata "
            "in "
            "anteprima o stampata su carta, mentre l'intero archivio della flotta bici può essere esportato "
            "in un file di Excel."),
    };
}

QStringList fleetExportParagraphs()
{
    return {
        QStringLiteral("Il pulsante Esporta archivio consente di esportare tutti i veicoli registrati nel "
                       "parco biciclette in un foglio di lavoro di Microsoft Excel, che potrà essere aperto "
                       "con qualsiasi software in grado di gestire i file in formato XLS (ad esempio, con "
                       "Open Office, Libre Office o Microsoft Office)."),
        QStringLiteral("Dopo aver aperto la finestra contenente la griglia dei dati, bisogna fare clic "
                       "sull'icona di Excel. Questa operazione crea in tempo reale un file in formato XLS "
                       "contenente tutte le schede in archivio, che potrà essere aperto immediatamente "
                       "rispondendo affermativamente al messaggio di domanda che appare."),
        QStringLiteral("A questo punto è sufficiente salvare il file sul proprio disco fisso assegnandogli "
                       "un nome qualsiasi."),
    };
}

} // namespace rf::Guide
