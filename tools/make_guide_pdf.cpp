// Writes the help document Guida.pdf that the guide window opens from the program folder.
// The text comes from the same paragraphs the guide window shows, so the two never drift apart.

#include "app/GuideTexts.h"
#include "app/Product.h"
#include "app/ui/TfrmAvvio.h"
#include "app/ui/TfrmCopia.h"
#include "common/ui/QuietServices.h"
#include "contracts/SchedaContratto.h"
#include "contracts/ui/TfrmContratti_Noleggio_Bici.h"
#include "contracts/ui/TfrmListino.h"
#include "desk/ui/TfrmOggi.h"
#include "desk/ui/TfrmStatistiche.h"
#include "fleet/SchedaVeicolo.h"
#include "fleet/ServiceLog.h"
#include "fleet/documents/LabelSheet.h"
#include "fleet/ui/TfrmAutoparco.h"
#include "fleet/ui/TfrmManutenzioni.h"
#include "planner/PlanningFile.h"
#include "planner/ui/TfrmMenuCamere.h"
#include "planner/ui/TfrmPlanning.h"
#include "planner/ui/TfrmTabellone.h"
#include "reports/Layout.h"
#include "reports/Render.h"
#include "storage/ArchiveFile.h"
#include "storage/IniFile.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <map>

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include "storage/WholeFile.h"
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <cstdio>
#include <vector>

namespace {

const QColor Accent(0x2F, 0x5F, 0x8A);     // deep steel blue for headings and rules
const QColor SoftAccent(0xE6, 0xEE, 0xF6); // pale band behind the title
const QColor Muted(0x55, 0x5F, 0x6B);
const QString DocumentTitle = QStringLiteral("Rotaflux - Guida all'utilizzo");

// A font for the title page and footers, drawn without ligatures like the body text.
QFont plainFont(const QString& family, double points, bool bold = false)
{
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

struct Section {
    QString title;
    QString html; // body of the section, already escaped
};

// ---- the pictures ---------------------------------------------------------------------------
// Every window the guide describes, taken from the real window on a small demo shop: six
// vehicles, a season of contracts and their bookings, on 15 June 2026.

const QDateTime DemoMoment(QDate(2026, 6, 15), QTime(10, 0));

void append(const QString& path, const rf::RecordLayout& layout, const std::map<QString, QString>& values)
{
    QStringList texts;
    for (int i = 0; i < layout.fieldCount(); ++i)
        texts << (values.count(layout.name(i)) ? values.at(layout.name(i)) : QString());
    rf::ArchiveFile archive(path, layout.size());
    if (archive.OpenArchive())
        archive.AppendRecord(layout.encode(texts));
}

// The shop's price list: two tariffs and a summer season.
void writeDemoPriceList(const QDir& folder)
{
    rf::IniFile list(folder.filePath(QStringLiteral("Listino.ini")));
    if (!list.load())
        return;
    const char* const tariffs[][7] = {{"City", "8,00", "15,00", "12,00", "25,00", "70,00", "50,00"},
                                      {"e-Bike", "18,00", "35,00", "30,00", "60,00", "180,00", "150,00"}};
    const char* const keys[] = {"Nome", "Ore4", "Giorno", "GiornoExtra", "Weekend", "Settimana", "Cauzione"};
    for (int t = 0; t < 2; ++t) {
        for (int k = 0; k < 7; ++k)
            list.setValue(QStringLiteral("Tariffa%1").arg(t + 1), QLatin1String(keys[k]),
                          QString::fromUtf8(tariffs[t][k]));
    }
    list.setValue(QStringLiteral("Stagioni"), QStringLiteral("Stagione1"),
                  QStringLiteral("15/06-15/09;+20;alta stagione"));
    list.save();
}

// A season of workshop entries, with B-3 in the workshop from today for three days.
void writeDemoService(const QDir& folder)
{
    struct Work {
        const char *bicycle, *date, *work, *parts, *cost, *km, *from, *to;
    };
    const Work works[] = {
        {"B-1", "15/03/2026", "Tagliando", "Catena, cavi freno", "65,00", "1240", "", ""},
        {"B-1", "02/05/2026", "Pneumatici", "2 copertoni 700x38", "58,00", "1710", "", ""},
        {"B-1", "28/05/2026", "Freni", "Pastiglie anteriori e posteriori", "42,50", "2105", "28/05/2026",
         "29/05/2026"},
        {"B-1", "11/06/2026", "Riparazione danni", "Parafango posteriore", "18,00", "2390", "", ""},
        {"B-3", "15/06/2026", "Freni", "Dischi e pastiglie", "96,00", "3050", "15/06/2026", "17/06/2026"}};
    for (const Work& work : works) {
        rf::Service::Entry entry;
        entry.vehicleNumber = QLatin1String(work.bicycle);
        entry.date = QDate::fromString(QLatin1String(work.date), QStringLiteral("dd/MM/yyyy"));
        entry.work = QLatin1String(work.work);
        entry.parts = QLatin1String(work.parts);
        entry.mechanic = QStringLiteral("Officina Sartori");
        entry.cost = QLatin1String(work.cost);
        entry.km = QLatin1String(work.km);
        entry.workshopFrom = QDate::fromString(QLatin1String(work.from), QStringLiteral("dd/MM/yyyy"));
        entry.workshopTo = QDate::fromString(QLatin1String(work.to), QStringLiteral("dd/MM/yyyy"));
        rf::Service::append(folder.path(), entry);
    }
}

void writeDemoShop(const QDir& folder)
{
    struct Bike {
        const char *number, *make, *colour, *size, *year;
    };
    const Bike bikes[] = {{"B-1", "Atala City", "Rosso", "M", "2024"},
                          {"B-2", "Olmo e-Bike", "Blu notte", "L", "2025"},
                          {"B-3", "Cinelli Gravel", "Verde bosco", "54", "2023"},
                          {"B-4", "Thok MIG", "Nero opaco", "XL", "2025"},
                          {"B-5", "Legnano Classic", "Bianco perla", "S", "2022"},
                          {"B-6", "Wilier Trail", "Giallo", "M", "2024"}};
    for (const Bike& bike : bikes) {
        append(folder.filePath(QString::fromLatin1(rf::Fleet::ArchiveName)), rf::TSchedaVeicolo(),
               {{QStringLiteral("BiciNum"), QLatin1String(bike.number)},
                {QStringLiteral("Marca"), QLatin1String(bike.make)},
                {QStringLiteral("Colore"), QLatin1String(bike.colour)},
                {QStringLiteral("Taglia"), QLatin1String(bike.size)},
                {QStringLiteral("Anno"), QLatin1String(bike.year)}});
    }
    folder.mkpath(QStringLiteral("Autoparco"));
    rf::Style::renderImage(QStringLiteral(":/app/tile_fleet.svg"), QSize(800, 600), Qt::white)
        .save(folder.filePath(QStringLiteral("Autoparco/Scheda_Veicolo_1.jpg")), "JPG", 90);

    struct Rental {
        const char *customer, *bicycle, *start, *end, *returned, *total;
    };
    const Rental rentals[] = {{"Rossi Mario", "B-1", "10/06/2026", "15/06/2026", "No", "75,00"},
                              {"Bianchi Giulia", "B-2", "08/06/2026", "12/06/2026", "No", "140,00"},
                              {"Verdi Luca", "B-3", "14/06/2026", "20/06/2026", "No", "120,00"},
                              {"Esposito Anna", "B-4", "01/06/2026", "03/06/2026", "S\u00EC", "90,00"},
                              {"Colombo Marco", "B-5", "20/05/2026", "22/05/2026", "S\u00EC", "36,00"},
                              {"Ricci Sara", "B-6", "02/05/2026", "09/05/2026", "S\u00EC", "160,00"},
                              {"Gallo Nicol\u00F2", "B-1", "12/04/2026", "14/04/2026", "S\u00EC", "45,00"},
                              {"Conti Elena", "B-2", "25/04/2026", "27/04/2026", "S\u00EC", "84,00"}};
    for (const Rental& rental : rentals) {
        append(folder.filePath(QString::fromLatin1(rf::Contracts::ArchiveName)), rf::TSchedaContratto(),
               {{QStringLiteral("Ditta01"), QStringLiteral("Noleggio Bici Garda s.n.c.")},
                {QStringLiteral("Data"), QString::fromUtf8(rental.start)},
                {QStringLiteral("Luogo"), QStringLiteral("Riva del Garda")},
                {QStringLiteral("Cliente"), QString::fromUtf8(rental.customer)},
                {QStringLiteral("Recapito"), QStringLiteral("333 1234567")},
                {QStringLiteral("BiciNum"), QString::fromUtf8(rental.bicycle)},
                {QStringLiteral("DataInizio"), QString::fromUtf8(rental.start)},
                {QStringLiteral("DataFine"), QString::fromUtf8(rental.end)},
                {QStringLiteral("Totale"), QString::fromUtf8(rental.total)},
                {QStringLiteral("Riconsegnato"), QString::fromUtf8(rental.returned)}});
    }
    writeDemoService(folder);
    writeDemoPriceList(folder);
    // A booking or two a week for each vehicle, and today's pickups.
    for (int bike = 0; bike < 6; ++bike) {
        rf::Planning::Days days;
        for (int day = 100 + bike * 3; day < 260; day += 9) {
            const QString text = QStringLiteral("%1 %2").arg(QLatin1String(bike % 2 ? "Ferrari" : "Moretti"),
                                                             QLatin1String(day % 2 ? "Paolo" : "Chiara"));
            for (int d = day; d < day + 3 + bike % 3; ++d)
                days[std::size_t(d)] = text;
        }
        const QString number = QLatin1String(bikes[bike].number);
        rf::Planning::save(folder.filePath(rf::Planning::fileName(number, QStringLiteral("2026"))),
                           {number, QLatin1String(bikes[bike].make), QLatin1String(bikes[bike].colour),
                            QLatin1String(bikes[bike].size)},
                           days);
    }
}

// The window as shown on a screen, at its own size.
QImage picture(QWidget& window, const QSize& size = {})
{
    if (size.isValid())
        window.resize(size);
    window.show();
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    QImage image = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    window.hide();
    // A thin frame, as a window has on screen, so that a light edge does not melt into the page.
    QPainter frame(&image);
    frame.setPen(QColor(0x8F, 0xAF, 0xCB));
    frame.drawRect(image.rect().adjusted(0, 0, -1, -1));
    return image;
}

// Each picture by name, with its caption.
struct Picture {
    QImage image;
    QString caption;
};

std::map<QString, Picture> takePictures()
{
    std::map<QString, Picture> pictures;
    QTemporaryDir dir;
    writeDemoShop(QDir(dir.path()));
    const std::unique_ptr<rf::Context> context = rf::Quiet::context(dir.path(), DemoMoment);
    const QSize design = rf::WorkWindow::DesignSize;
    {
        rf::TfrmAvvio launcher(*context);
        pictures[QStringLiteral("avvio")] = {picture(launcher, design),
                                             QStringLiteral("La schermata principale.")};
    }
    {
        rf::TfrmAutoparco fleet(*context);
        fleet.resize(design);
        fleet.showRecord(1);
        pictures[QStringLiteral("flotta")] = {
            picture(fleet), QStringLiteral("La scheda di un veicolo della flotta, con la sua foto.")};
    }
    {
        rf::ShownCard card;
        card.edits = {{QStringLiteral("BiciNum"), QStringLiteral("B-1")},
                      {QStringLiteral("Marca"), QStringLiteral("Atala City")},
                      {QStringLiteral("Meccanico"), QStringLiteral("Officina Sartori")}};
        card.position = QStringLiteral("1");
        rf::TfrmManutenzioni log(*context, nullptr, card);
        pictures[QStringLiteral("manutenzioni")] = {
            picture(log), QStringLiteral("Il registro delle manutenzioni di un veicolo.")};
    }
    {
        // The top of a label sheet of the demo fleet, as printed.
        const auto vehicles =
            rf::Reports::fleetLabels(context->path(QString::fromLatin1(rf::Fleet::ArchiveName)));
        const rf::Reports::Prepared labels = rf::Reports::prepare(
            rf::Reports::labelSheet(vehicles.value_or(std::vector<rf::Reports::LabelVehicle>{})),
            DemoMoment.date());
        if (labels.ok && !labels.document.pages.empty()) {
            const QImage page = rf::Reports::renderPageImage(labels.document.pages.front(), 110);
            pictures[QStringLiteral("etichette")] = {
                page.copy(0, 0, page.width(), page.height() / 4),
                QStringLiteral("Le etichette dei veicoli, con il codice QR e il codice a barre.")};
        }
    }
    {
        rf::TfrmListino prices(*context, nullptr);
        pictures[QStringLiteral("listino")] = {
            picture(prices), QStringLiteral("Il listino prezzi: le tariffe e le stagioni.")};
    }
    {
        rf::TfrmMenuCamere entry(*context);
        pictures[QStringLiteral("planner")] = {picture(entry, design),
                                               QStringLiteral("Il planner: l'anno e il veicolo da aprire.")};
        rf::TfrmPlanning grid(*context);
        grid.setTarget(
            {{QStringLiteral("B-1"), QStringLiteral("Atala City"), QStringLiteral("Rosso"),
              QStringLiteral("M")},
             QStringLiteral("2026"),
             context->path(rf::Planning::fileName(QStringLiteral("B-1"), QStringLiteral("2026")))});
        pictures[QStringLiteral("planning")] = {
            picture(grid, design),
            QStringLiteral("Il planning annuale di un veicolo: i giorni prenotati in rosso.")};
    }
    {
        rf::TfrmTabellone board(*context, nullptr);
        pictures[QStringLiteral("tabellone")] = {
            picture(board, QSize(1200, 420)),
            QStringLiteral("Il tabellone delle prenotazioni di tutta la flotta.")};
    }
    {
        rf::TfrmContratti_Noleggio_Bici contracts(*context);
        contracts.resize(design);
        contracts.showRecord(1);
        pictures[QStringLiteral("contratti")] = {picture(contracts),
                                                 QStringLiteral("Un contratto di noleggio.")};
    }
    {
        rf::TfrmOggi today(*context, nullptr);
        pictures[QStringLiteral("oggi")] = {picture(today), QStringLiteral("Il lavoro della giornata.")};
    }
    {
        rf::TfrmStatistiche statistics(*context, nullptr);
        pictures[QStringLiteral("statistiche")] = {
            picture(statistics), QStringLiteral("Le statistiche della stagione: i noleggi per mese.")};
    }
    {
        rf::TfrmCopia backup(*context, nullptr, [] { return false; });
        pictures[QStringLiteral("copia")] = {picture(backup),
                                             QStringLiteral("La copia di sicurezza dei dati.")};
    }
    return pictures;
}

// A picture in the text, as wide as the page allows, with its caption below.
QString pictureHtml(const QString& name)
{
    // The picture's line at its own height: the text's line spacing would leave a gap under it.
    return QStringLiteral("<p align=\"center\" style=\"line-height: 100%; margin-bottom: 2px\"><img "
                          "src=\"guida:%1\"></p>"
                          "<p align=\"center\"><i>@C_%1@</i></p>")
        .arg(name);
}

QString paragraphsHtml(const QStringList& paragraphs)
{
    QString html;
    for (const QString& paragraph : paragraphs)
        html += QStringLiteral("<p>%1</p>").arg(paragraph.toHtmlEscaped());
    return html;
}

QString listHtml(const QStringList& items, const QString& tag)
{
    QString html = QStringLiteral("<%1>").arg(tag);
    for (const QString& item : items)
        html += QStringLiteral("<li>%1</li>").arg(item.toHtmlEscaped());
    return html + QStringLiteral("</%1>").arg(tag);
}

// The access password: the first access and a change of password.
QString accessHtml(const QString& password)
{
    return paragraphsHtml({password}) + QStringLiteral("<h2>Primo accesso</h2>") +
           listHtml({QStringLiteral("Avviare Rotaflux: compare la finestra di accesso."),
                     QStringLiteral("Digitare la password nell'apposito campo. Le lettere senza accento "
                                    "possono essere scritte indifferentemente in maiuscolo o in minuscolo."),
                     QStringLiteral("Premere OK oppure il tasto Invio per aprire la schermata principale.")},
                    QStringLiteral("ol")) +
           QStringLiteral("<h2>Cambio della password</h2>") +
           listHtml({QStringLiteral("Nella finestra di accesso premere il pulsante Cambia password."),
                     QStringLiteral("Digitare la vecchia password, la nuova password e, per conferma, "
                                    "ancora la nuova password."),
                     QStringLiteral("Premere OK: un messaggio conferma che la modifica è stata completata.")},
                    QStringLiteral("ol")) +
           paragraphsHtml({QStringLiteral(
               "La password è unica per tutte le postazioni che condividono la stessa cartella del "
               "programma. Si consiglia di sceglierne una di almeno otto caratteri e di conservarla in un "
               "luogo sicuro.")});
}

// Backups: what a copy holds, how it is made and restored.
QString backupHtml(const QString& usb)
{
    return paragraphsHtml(
               {usb, QStringLiteral(
                         "Tutti i dati di Rotaflux si trovano nella sua cartella dei dati (la cartella del "
                         "programma, oppure quella scelta al primo avvio): non esiste un database "
                         "separato. Per eseguire una copia di sicurezza completa:")}) +
           listHtml({QStringLiteral("premere il pulsante Copia di sicurezza nella schermata principale;"),
                     QStringLiteral(
                         "scegliere con Sfoglia la cartella in cui salvare la copia, per esempio su una "
                         "chiavetta USB, un disco esterno o un'unità di rete (la scelta viene ricordata);"),
                     QStringLiteral("premere Crea copia: il programma scrive un unico file compresso, "
                                    "Rotaflux_copia_AAAA-MM-GG_OOMM.zip, con tutti i dati; si consiglia di "
                                    "conservare più copie recenti.")},
                    QStringLiteral("ol")) +
           pictureHtml(QStringLiteral("copia")) +
           paragraphsHtml(
               {QStringLiteral(
                    "La copia comprende gli archivi della flotta (Parco_Veicoli.pro) e dei contratti "
                    "(Contratti_Noleggio_Bici.pro), i planning delle prenotazioni (file .pln), le "
                    "impostazioni dei contratti (Rotaflux.ini), la password di accesso, le foto dei "
                    "veicoli (cartella Autoparco), il logo della ditta (Logo.bmp) e i file allegati "
                    "(cartella Documenti_Allegati). Durante la copia ogni archivio viene bloccato, così "
                    "che nessuna postazione lo modifichi a metà; la copia non è possibile mentre il "
                    "planning di un veicolo è aperto su questa postazione."),
                QStringLiteral(
                    "Ripristina... riporta i dati di una copia nella cartella dei dati: i file che "
                    "vengono sostituiti sono conservati in una sottocartella datata (Sostituiti_...). "
                    "Un file danneggiato o che non è una copia di Rotaflux viene rifiutato e nulla "
                    "viene modificato.")});
}

// The booking board of the whole fleet.
QString boardHtml()
{
    return paragraphsHtml({QStringLiteral(
               "Il pulsante Tabellone, accanto ad Apri e Disponibilità nel planner, mostra le prenotazioni "
               "di tutti i veicoli della flotta giorno per giorno: i veicoli in colonna, i giorni in riga, "
               "a partire dalla data indicata in Dal (oggi all'apertura) per due settimane, un mese o tre "
               "mesi. I sabati e le domeniche sono ombreggiati, il giorno di oggi è segnato in rosso e ogni "
               "prenotazione è una barra con il nome del cliente; passando con il mouse su una barra se ne "
               "vedono i giorni.")}) +
           listHtml(
               {QStringLiteral("Un clic su un giorno, oppure Invio sul giorno evidenziato, apre la finestra "
                               "della prenotazione per prenotarlo o liberarlo."),
                QStringLiteral("Un doppio clic sul nome del veicolo, oppure Maiusc+Invio, apre il suo "
                               "planning annuale."),
                QStringLiteral("Precedente e Successivo spostano il tabellone di un periodo, Oggi lo "
                               "riporta a oggi; le frecce, Pag su/giù, Inizio e Fine spostano il giorno "
                               "evidenziato."),
                QStringLiteral("Manutenzioni, oppure Ctrl+M, apre il registro delle manutenzioni del "
                               "veicolo evidenziato."),
                QStringLiteral("Stampa stampa il tabellone (una pagina orizzontale ogni 24 veicoli), Salva "
                               "PDF lo salva come documento.")},
               QStringLiteral("ul")) +
           paragraphsHtml({QStringLiteral(
               "Un veicolo il cui planning non può essere letto appare tratteggiato nei giorni che non si "
               "conoscono, con il motivo. I giorni in cui un veicolo è in officina appaiono come una barra "
               "tratteggiata arancione, IN OFFICINA: il veicolo non risulta libero in quei giorni e, prima "
               "di prenotarne uno, il programma chiede conferma.")});
}

// The workshop log.
QString serviceHtml()
{
    return paragraphsHtml(
               {QStringLiteral(
                    "Ogni veicolo ha il suo registro delle manutenzioni, aperto dalla scheda del veicolo con "
                    "il "
                    "pulsante della chiave inglese (Ctrl+M) o dal tabellone. In alto l'elenco degli "
                    "interventi, "
                    "dal più recente, con i totali: numero di interventi, spesa e giorni in officina. In "
                    "basso "
                    "la scheda dell'intervento: data, lavoro (Tagliando, Freni, Pneumatici, Batteria, "
                    "Riparazione danni o un lavoro scritto a mano), ricambi, meccanico, costo, chilometri, "
                    "note "
                    "e, se il veicolo resta in officina, i giorni \"in officina dal... al...\"."),
                QStringLiteral(
                    "Nuovo prepara un intervento con la data di oggi e il meccanico della scheda; Salva lo "
                    "registra; Invio su una riga dell'elenco lo riapre per modificarlo; Elimina lo toglie "
                    "dal "
                    "registro dopo una conferma; Stampa prepara la scheda delle manutenzioni del "
                    "veicolo.")}) +
           listHtml(
               {QStringLiteral("I giorni in officina non sono prenotabili: nel tabellone e nella "
                               "disponibilità il veicolo appare IN OFFICINA, e prenotarlo in quei giorni "
                               "chiede conferma. Nei file del planner non viene scritto nulla."),
                QStringLiteral("Ogni lavoro ha una scadenza (nella sezione [Manutenzione] di Rotaflux.ini): "
                               "il tagliando e la batteria ogni 365 giorni, i freni ogni 90 giorni di "
                               "noleggio, i pneumatici ogni 180. Sotto lo stato del veicolo la scheda "
                               "mostra, ad esempio, \"Tagliando scaduto da 12 giorni\"."),
                QStringLiteral("Se il numero del veicolo cambia, i suoi interventi passano al nuovo "
                               "numero al salvataggio della scheda.")},
               QStringLiteral("ul"));
}

// The day's work.
QString todayHtml()
{
    return paragraphsHtml(
        {QStringLiteral(
             "Il riquadro Oggi della schermata principale mostra il lavoro della giornata in cinque "
             "elenchi, ciascuno con il numero delle voci: i veicoli Fuori (contratti non "
             "riconsegnati), quelli Da riconsegnare oggi, quelli In ritardo (in rosso), i Ritiri di "
             "oggi, cioè le prenotazioni del planner che iniziano oggi per una bicicletta che non ha "
             "ancora un contratto, e i veicoli Da revisionare, con il lavoro di manutenzione scaduto "
             "da più tempo per primo."),
         QStringLiteral(
             "Invio o un doppio clic su una riga apre il contratto, il planning del veicolo per un "
             "ritiro, oppure la scheda del veicolo da revisionare. Il pulsante Riconsegnato segna "
             "come riconsegnato il veicolo del contratto selezionato, dopo una conferma.")});
}

// The price list, the labels and the scanner.
QString priceListHtml()
{
    return paragraphsHtml(
               {QStringLiteral(
                    "Il listino prezzi (pulsante Listino nei contratti e nella scheda del veicolo, "
                    "Ctrl+Maiusc+L) raccoglie le tariffe del noleggio: per ciascuna il nome, lo stesso "
                    "scritto "
                    "in \"Tipologia tariffa\" nella scheda del veicolo e nel contratto, il prezzo fino a 4 "
                    "ore, "
                    "per un giorno, per ogni giorno in più, per un fine settimana (sabato e domenica), per "
                    "una "
                    "settimana, e la cauzione. Le stagioni aggiungono una percentuale ai giorni di un "
                    "periodo "
                    "dell'anno, ad esempio +20% dal 15/06 al 15/09. Ins aggiunge una riga, Ctrl+Canc la "
                    "toglie, "
                    "Salva scrive il file Listino.ini nella cartella dei dati."),
                QStringLiteral("Nel contratto, Calcola conta i giorni e, se la tariffa del contratto è nel "
                               "listino, propone "
                               "il totale più conveniente (settimane e fine settimana interi dove costano "
                               "meno dei giorni, "
                               "ogni giorno al prezzo della sua stagione) e la cauzione, scrivendo nella "
                               "barra in basso come "
                               "li ha calcolati. Un totale o una cauzione scritti a mano non vengono mai "
                               "sostituiti senza "
                               "chiedere.")}) +
           listHtml(
               {QStringLiteral("Etichette (Ctrl+Maiusc+E nella flotta) prepara un foglio A4 di 24 "
                               "etichette di 70 x 37 mm, per il veicolo della scheda o per tutta la flotta, "
                               "con il codice QR e il codice a barre del numero del veicolo."),
                QStringLiteral("Lo scanner si usa come una tastiera: nel contratto, un codice letto in "
                               "Bicicletta n. prende il veicolo; in Oggi, il campo Scansione trova il "
                               "veicolo fuori (Invio lo segna riconsegnato, dopo la conferma) o il ritiro "
                               "di oggi; nel tabellone porta il cursore sulla riga del veicolo.")},
               QStringLiteral("ul"));
}

// The season's statistics.
QString statisticsHtml()
{
    return paragraphsHtml(
        {QStringLiteral(
             "Le statistiche della stagione si aprono dal pulsante con il grafico in basso nella "
             "schermata principale, oppure con Ctrl+T nei contratti. Indicato l'anno, mostrano i "
             "noleggi e gli incassi mese per mese, i dieci veicoli più noleggiati e i dieci meno "
             "noleggiati con i giorni prenotati nel planner, i noleggi per giorno della settimana, "
             "la durata media del noleggio e il margine per veicolo: l'incasso meno il costo "
             "dell'officina registrato nelle manutenzioni dell'anno, con i giorni in officina."),
         QStringLiteral("Un contratto è contato per intero nel mese, nel giorno della settimana e nell'anno "
                        "della sua data di inizio. Ogni grafico può essere stampato, visto in anteprima, "
                        "salvato in PDF, e i suoi dati esportati in un foglio di Excel.")});
}

std::vector<Section> sections()
{
    const QStringList fleet = rf::Guide::fleetParagraphs();
    const QStringList planner = rf::Guide::plannerParagraphs();
    const QStringList contracts = rf::Guide::contractsParagraphs();
    const QStringList launcher = rf::Guide::launcherParagraphs();
    // The launcher text is its introduction, the three app texts, then its own closing paragraphs:
    // network use, USB use and backup, the access password, and a final word.
    const QString introduction = launcher.first();
    const QStringList closing = launcher.mid(1 + fleet.size() + planner.size() + contracts.size());
    const QString network = closing.value(0);
    const QString usb = closing.value(1);
    const QString password = closing.value(2);
    const QString finalWord = closing.value(3);

    return {
        {rf::Guide::LauncherTitle, paragraphsHtml({introduction}) + pictureHtml(QStringLiteral("avvio")) +
                                       paragraphsHtml({network, finalWord})},
        {rf::Guide::FleetTitle, pictureHtml(QStringLiteral("flotta")) + paragraphsHtml(fleet)},
        {rf::Guide::PlannerTitle, pictureHtml(QStringLiteral("planner")) + paragraphsHtml(planner) +
                                      pictureHtml(QStringLiteral("planning"))},
        {QStringLiteral("Tabellone prenotazioni"), pictureHtml(QStringLiteral("tabellone")) + boardHtml()},
        {QStringLiteral("Manutenzioni"), pictureHtml(QStringLiteral("manutenzioni")) + serviceHtml()},
        {QStringLiteral("Oggi"), pictureHtml(QStringLiteral("oggi")) + todayHtml()},
        {QStringLiteral("Statistiche"), pictureHtml(QStringLiteral("statistiche")) + statisticsHtml()},
        {rf::Guide::ContractsTitle, pictureHtml(QStringLiteral("contratti")) + paragraphsHtml(contracts)},
        {QStringLiteral("Listino prezzi ed etichette"),
         pictureHtml(QStringLiteral("listino")) + priceListHtml() + pictureHtml(QStringLiteral("etichette"))},
        {QStringLiteral("Primo accesso e cambio della password"), accessHtml(password)},
        {QStringLiteral("Copie di sicurezza"), backupHtml(usb)},
    };
}

QString styleSheet()
{
    return QStringLiteral(
        "h1 { font-family: 'Arial'; font-size: 20pt; font-weight: bold; color: #2F5F8A;"
        "     margin-top: 0px; margin-bottom: 14px; }"
        "h2 { font-family: 'Arial'; font-size: 13pt; font-weight: bold; color: #2F5F8A;"
        "     margin-top: 14px; margin-bottom: 6px; }"
        "p  { font-family: 'Verdana'; font-size: 10.5pt; line-height: 135%; margin-bottom: 9px;"
        "     color: #1E1E1E; }"
        "li { font-family: 'Verdana'; font-size: 10.5pt; line-height: 135%; margin-bottom: 4px;"
        "     color: #1E1E1E; }");
}

class GuideWriter {
public:
    GuideWriter(QPdfWriter& writer, std::map<QString, Picture> pictures)
        : m_writer(writer), m_pictures(std::move(pictures))
    {
        m_page = m_writer.pageLayout().paintRectPixels(m_writer.resolution());
        m_footerHeight = mm(12);
        m_bodyHeight = m_page.height() - m_footerHeight;
    }

    bool write()
    {
        QTextDocument document;
        document.documentLayout()->setPaintDevice(&m_writer);
        document.setDocumentMargin(0);
        document.setDefaultStyleSheet(styleSheet());
        QFont base(QStringLiteral("Verdana"), 10);
        document.setDefaultFont(base);

        const std::vector<Section> parts = sections();
        QString html;
        for (std::size_t i = 0; i < parts.size(); ++i) {
            const QString pageBreak =
                i == 0 ? QString() : QStringLiteral(" style=\"page-break-before: always\"");
            html += QStringLiteral("<h1%1>%2</h1>%3")
                        .arg(pageBreak, parts[i].title.toHtmlEscaped(), parts[i].html);
        }
        // The pictures, at most the text's width (a window of the design size fills it, about
        // 150 dots an inch on paper).
        for (const auto& [name, picture] : m_pictures) {
            // The text's width, in the document's 96 dots an inch (it scales them to the PDF's own);
            // the picture keeps all its pixels, given as many per dot as it takes to fit.
            const double textWidth = m_page.width() * 96.0 / m_writer.resolution();
            const double width = std::min(textWidth, textWidth * picture.image.width() / 1016.0);
            QImage image = picture.image;
            image.setDevicePixelRatio(image.width() / width);
            document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("guida:") + name), image);
            html.replace(QStringLiteral("@C_%1@").arg(name), picture.caption.toHtmlEscaped());
        }
        document.setHtml(html);
        // Plain glyphs, without ligatures, so that text copied or searched in the PDF reads as typed.
        QTextCursor all(&document);
        all.select(QTextCursor::Document);
        QTextCharFormat unshaped;
        unshaped.setFontStyleStrategy(QFont::PreferNoShaping);
        all.mergeCharFormat(unshaped);
        document.setPageSize(QSizeF(m_page.width(), m_bodyHeight));

        const int bodyPages = document.pageCount();
        const int totalPages = bodyPages + 1;
        const std::vector<std::pair<QString, int>> contents = tableOfContents(document);

        QPainter painter;
        if (!painter.begin(&m_writer))
            return false;
        paintTitlePage(painter, contents);
        for (int page = 0; page < bodyPages; ++page) {
            m_writer.newPage();
            paintBodyPage(painter, document, page);
            paintFooter(painter, page + 2, totalPages);
        }
        return painter.end();
    }

private:
    int mm(double millimetres) const { return qRound(millimetres * m_writer.resolution() / 25.4); }

    // The first-level headings and the printed page each one starts on (the title page is page 1).
    std::vector<std::pair<QString, int>> tableOfContents(const QTextDocument& document) const
    {
        std::vector<std::pair<QString, int>> contents;
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
            if (block.blockFormat().headingLevel() != 1)
                continue;
            const QRectF box = document.documentLayout()->blockBoundingRect(block);
            contents.emplace_back(block.text(), int(box.top() / m_bodyHeight) + 2);
        }
        return contents;
    }

    void paintTitlePage(QPainter& painter, const std::vector<std::pair<QString, int>>& contents) const
    {
        const int w = m_page.width();
        const int h = m_page.height();

        // A pale band with a strong rule frames the title.
        const QRect band(0, mm(30), w, mm(62));
        painter.fillRect(band, SoftAccent);
        painter.fillRect(QRect(0, band.top(), mm(3), band.height()), Accent);

        painter.setFont(plainFont(QStringLiteral("Arial"), 28, true));
        painter.setPen(Accent);
        painter.drawText(band.adjusted(mm(10), mm(8), -mm(6), -mm(30)), Qt::AlignLeft | Qt::AlignVCenter,
                         DocumentTitle);

        painter.setFont(plainFont(QStringLiteral("Arial"), 13));
        painter.setPen(Muted);
        painter.drawText(
            band.adjusted(mm(10), mm(34), -mm(10), -mm(4)), Qt::AlignLeft | Qt::TextWordWrap,
            QStringLiteral("Il software per le ditte di noleggio di biciclette, e-bike e mountain "
                           "bike: contratti di locazione, flotta bici e prenotazioni dei clienti."));

        // Contents, with dotted leaders up to the page numbers.
        int y = band.bottom() + mm(25);
        painter.setFont(plainFont(QStringLiteral("Arial"), 15, true));
        painter.setPen(Accent);
        painter.drawText(QRect(mm(10), y, w - mm(20), mm(10)), Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("Indice"));
        y += mm(14);

        const QFont entry = plainFont(QStringLiteral("Verdana"), 11);
        painter.setFont(entry);
        const QFontMetrics metrics(entry, &m_writer);
        const int left = mm(10);
        const int right = w - mm(10);
        for (const auto& [name, page] : contents) {
            const QString number = QString::number(page);
            const int nameWidth = metrics.horizontalAdvance(name);
            const int numberWidth = metrics.horizontalAdvance(number);
            painter.setPen(QColor(0x1E, 0x1E, 0x1E));
            painter.drawText(QPoint(left, y), name);
            painter.drawText(QPoint(right - numberWidth, y), number);
            painter.setPen(QPen(Muted, mm(0.3), Qt::DotLine));
            painter.drawLine(left + nameWidth + mm(2), y, right - numberWidth - mm(2), y);
            y += mm(10);
        }

        painter.setFont(plainFont(QStringLiteral("Arial"), 10));
        painter.setPen(Muted);
        painter.drawLine(0, h - mm(22), w, h - mm(22));
        painter.drawText(QRect(0, h - mm(20), w, mm(20)), Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("%1\n%2  -  %3")
                             .arg(QString::fromUtf8(rf::Product::Maker),
                                  QString::fromUtf8(rf::Product::WebSite),
                                  QString::fromUtf8(rf::Product::SupportEmail)));
    }

    void paintBodyPage(QPainter& painter, QTextDocument& document, int page) const
    {
        painter.save();
        const QRectF visible(0, page * m_bodyHeight, m_page.width(), m_bodyHeight);
        painter.translate(0, -visible.top());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = visible;
        context.palette.setColor(QPalette::Text, Qt::black);
        painter.setClipRect(visible);
        document.documentLayout()->draw(&painter, context);
        painter.restore();
    }

    void paintFooter(QPainter& painter, int page, int totalPages) const
    {
        const int top = m_page.height() - m_footerHeight + mm(4);
        painter.setPen(QPen(Accent, mm(0.3)));
        painter.drawLine(0, top, m_page.width(), top);
        painter.setFont(plainFont(QStringLiteral("Arial"), 9));
        painter.setPen(Muted);
        const QRect area(0, top + mm(1), m_page.width(), m_footerHeight - mm(5));
        painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, DocumentTitle);
        painter.drawText(area, Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("Pagina %1 di %2").arg(page).arg(totalPages));
    }

    QPdfWriter& m_writer;
    std::map<QString, Picture> m_pictures;
    QRect m_page;
    int m_footerHeight = 0;
    int m_bodyHeight = 0;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_guide_pdf <output.pdf>\n");
        return 2;
    }
    QSaveFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "make_guide_pdf: cannot write %s\n", argv[1]);
        return 1;
    }
    bool written = false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(300);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(20, 18, 20, 14), QPageLayout::Millimeter));
        writer.setTitle(DocumentTitle);
        writer.setCreator(QString::fromUtf8(rf::Product::Maker));
        written = GuideWriter(writer, takePictures()).write();
    }
    if (!written || !rf::commitWhole(file)) {
        std::fprintf(stderr, "make_guide_pdf: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
