#include "GuideTexts.h"

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

QStringList plannerParagraphs()
{
    return {
        QStringLiteral(
            "L'app Planner Prenotazioni mette a disposizione un planning annuale per ciascuna bicicletta o "
            "e-bike della flotta. Per prima cosa occorre indicare l'anno solare, scegliere il veicolo "
            "dall'elenco, che riporta numero, marca e modello, taglia, colore e anno di costruzione di ogni "
            "mezzo, e premere Apri."),
        QStringLiteral(
            "Visualizzato il planner annuale, per prenotare un giorno basta fare clic sul suo numero e "
            "digitare "
            "il nome del cliente, eventualmente seguito da un numero di telefono. Per annullare una "
            "prenotazione si fa clic sul giorno, si cancella il testo e si preme Applica e chiudi. Le "
            "prenotazioni vengono salvate automaticamente quando si esce dalla schermata di lavoro."),
        QStringLiteral(
            "Il pulsante Intervallo consente di registrare velocemente una prenotazione di più giorni "
            "consecutivi: è sufficiente indicare la data di inizio, la data di fine e il nome del cliente."),
        QStringLiteral("E' possibile registrare prenotazioni non solo per l'anno corrente, ma anche per "
                       "quelli successivi: "
                       "basta digitare l'anno desiderato nella schermata iniziale. Nel planner i giorni già "
                       "prenotati sono "
                       "evidenziati in rosso, mentre quelli liberi sono di colore viola."),
        QStringLiteral(
            "E' quindi chiaro che il planner annuale va aperto ogni volta che un cliente chiede di prenotare "
            "una bicicletta: si verifica che i giorni richiesti non siano segnati in rosso e, se il mezzo è "
            "già impegnato, si consulta il planning di un altro veicolo."),
        QStringLiteral("Il pulsante Riepilogo permette di ottenere l'elenco in ordine cronologico di tutte "
                       "le prenotazioni "
                       "registrate per il veicolo, che può anche essere stampato."),
        QStringLiteral("Il planning annuale relativo a ciascuna bicicletta può essere visualizzato in "
                       "anteprima e stampato "
                       "su carta."),
    };
}

QStringList contractsParagraphs()
{
    return {
        QStringLiteral(
            "L'app Contratti di Noleggio consente di redigere contratti di noleggio di biciclette, e-bike e "
            "mountain bike in modo semplice e veloce. I dati del veicolo e la tariffa possono essere "
            "importati "
            "direttamente dalle schede della flotta, mentre il numero dei giorni di noleggio viene calcolato "
            "automaticamente in base alla data di inizio e a quella di fine."),
        QStringLiteral(
            "Per inserire un contratto in archivio è sufficiente premere Nuovo, compilare i campi e fare "
            "clic "
            "su Salva. Per modificare un contratto già registrato bisogna richiamarlo scorrendo l'archivio "
            "con "
            "le frecce o tramite il pulsante Trova, apportare le modifiche e premere di nuovo Salva."),
        QStringLiteral(
            "Il contratto di noleggio messo a disposizione dal software occupa due pagine: sulla prima sono "
            "riportati i dati della ditta, del cliente, del veicolo e del noleggio, sulla seconda le "
            "condizioni "
            "generali. Il contratto può quindi essere stampato sul fronte e sul retro di un unico foglio "
            "A4."),
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
            "apposito pulsante mostra in ogni momento il riepilogo dei veicoli non ancora riconsegnati."),
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

QStringList launcherParagraphs()
{
    QStringList paragraphs;
    paragraphs << QStringLiteral(
        "Rotaflux è un software rivolto alle ditte di noleggio di bici, e-bike, mountain bike ecc. per "
        "gestire "
        "i contratti di locazione dei mezzi, il parco biciclette e le prenotazioni dei clienti. Grazie a un "
        "planner annuale è possibile monitorare in ogni momento la disponibilità di ciascun veicolo. Il logo "
        "della propria ditta può essere riportato sia sui contratti sia sulla scheda di verifica dello stato "
        "del veicolo alla riconsegna.");
    paragraphs << fleetParagraphs() << plannerParagraphs() << contractsParagraphs();
    paragraphs << QStringLiteral(
        "Il software funziona anche in una rete locale se si ha necessità di condividere gli archivi fra più "
        "postazioni di lavoro.");
    paragraphs << QStringLiteral(
        "Rotaflux può essere utilizzato anche su chiavetta USB. Basta copiare la cartella del programma su "
        "una "
        "pen drive e avviarlo direttamente da lì; una copia della cartella è inoltre il modo più rapido per "
        "eseguire il backup di tutti gli archivi.");
    paragraphs << QStringLiteral(
        "Conformemente alla normativa sulla privacy, l'accesso al software è protetto da una password di "
        "almeno otto caratteri, che l'utente autorizzato può cambiare in qualsiasi momento. La password per "
        "il primo accesso è \"primaveraverde\" (scritta senza le virgolette).");
    paragraphs << QStringLiteral(
        "Rotaflux è quindi lo strumento ideale per le ditte di noleggio bici che desiderano gestire "
        "contratti, "
        "flotta e prenotazioni in modo semplice, rapido e ordinato, con un unico programma.");
    return paragraphs;
}

QString join(const QStringList& paragraphs)
{
    return paragraphs.join(QStringLiteral("\r\n\r\n"));
}

} // namespace rf::Guide
