#include "GuideTexts.h"

namespace rf::Guide {

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

} // namespace rf::Guide
