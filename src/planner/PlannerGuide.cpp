#include "PlannerGuide.h"

namespace rf::Guide {

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
            "già impegnato, si consulta il planning di un altro veicolo. Il pulsante Disponibilità della "
            "schermata iniziale elenca invece in una volta sola i veicoli liberi, in parte prenotati o "
            "occupati in un periodo a scelta."),
        QStringLiteral("Il pulsante Riepilogo permette di ottenere l'elenco in ordine cronologico di tutte "
                       "le prenotazioni "
                       "registrate per il veicolo, che può anche essere stampato."),
        QStringLiteral("Il planning annuale relativo a ciascuna bicicletta può essere visualizzato in "
                       "anteprima e stampato "
                       "su carta."),
    };
}

} // namespace rf::Guide
