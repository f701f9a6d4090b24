#include "ContractConditions.h"

#include "reports/Layout.h"
#include "reports/Units.h"

#include <cmath>
#include <vector>

namespace rf::Reports {
namespace {

const QRectF Area(mm(7), mm(8), mm(194), mm(264));

// Font sizes tried, largest first, until the page fits.
constexpr double LargestSize = 12.0;
constexpr double SmallestSize = 6.0;
constexpr double SizeStep = 0.1;

const double RuleWidth = mm(0.25);
// Where a writing rule runs in a text row, as a share of the line height (just below the baseline).
constexpr double RuleDepth = 0.86;

const char* const Title = "CONDIZIONI CONTRATTUALI";

const char* const Opening =
    "Il Locatore concede in noleggio al Cliente la bicicletta (d'ora in avanti, il veicolo) indicata a tergo "
    "della presente nei seguenti termini e condizioni:";

const char* const Clauses[ContractClauseCount] = {
    "Il Cliente dichiara di aver preventivamente esaminato il veicolo e di averlo trovato in perfetto stato "
    "di "
    "manutenzione e di funzionamento, completo degli accessori indicati a tergo e idoneo all'uso cui è "
    "destinato. "
    "Il Cliente si obbliga a riconsegnare il veicolo nel medesimo stato in cui lo ha ricevuto, salva la "
    "normale "
    "usura derivante da un uso corretto. Qualora il veicolo sia riconsegnato in condizioni tali da "
    "richiedere una "
    "pulizia straordinaria, il relativo costo sarà addebitato al Cliente.",

    "Il veicolo sarà restituito nel giorno ed ora specificati a tergo della presente, presso la sede di "
    "riconsegna ivi indicata. In caso di ritardo il Cliente è tenuto a corrispondere il canone per "
    "l'ulteriore "
    "periodo secondo la tariffa in vigore, salvo il risarcimento del maggior danno. Il Locatore ha facoltà "
    "di "
    "risolvere anticipatamente il contratto e di rientrare immediatamente in possesso del veicolo, ovunque "
    "si "
    "trovi e senza preavviso, qualora il Cliente non osservi anche una sola delle presenti condizioni.",

    "Il veicolo può essere condotto esclusivamente dal Cliente o dal minore indicato a tergo, sotto la "
    "vigilanza "
    "e la piena responsabilità del Cliente medesimo, e può circolare soltanto nel territorio italiano. È "
    "fatto "
    "divieto di utilizzare il veicolo per il trasporto di passeggeri o di carichi non consentiti, per gare, "
    "competizioni o prove di velocità, per il traino di altri veicoli, su percorsi non idonei alle sue "
    "caratteristiche e, in generale, per qualsiasi uso improprio o contrario alla legge.",

    "Il Cliente si impegna a non manomettere alcuna parte del veicolo e a non apportarvi modifiche o "
    "riparazioni "
    "senza il preventivo consenso scritto del Locatore. Il Cliente si obbliga altresì a condurre il veicolo "
    "con "
    "prudenza e diligenza, nel pieno rispetto delle norme del Codice della Strada, a custodirlo con cura e a "
    "chiuderlo con il dispositivo antifurto ogni volta che lo lasci incustodito. È vietato cedere, sublocare "
    "o "
    "comunque affidare il veicolo a terzi, anche temporaneamente e a titolo gratuito.",

    "In caso di furto del veicolo, anche parziale, il Cliente deve sporgere immediata denuncia all'autorità "
    "di "
    "pubblica sicurezza e consegnarne copia al Locatore entro ventiquattro ore, unitamente alle chiavi del "
    "dispositivo antifurto. In caso di incidente il Cliente deve darne tempestiva comunicazione al Locatore, "
    "annotare le generalità delle persone coinvolte e degli eventuali testimoni e astenersi dal riconoscere "
    "responsabilità. In mancanza di denuncia o di comunicazione il Cliente risponde per intero del danno "
    "subito "
    "dal Locatore, pari al valore del veicolo.",

    "Il Locatore non sarà ritenuto responsabile per perdita o danni a cose trasportate o lasciate sul "
    "veicolo, né "
    "per danni a persone o cose derivanti dall'uso del veicolo da parte del Cliente o del minore, né per i "
    "disagi "
    "dovuti a guasti non imputabili al Locatore. Il Cliente prende atto che la verifica del veicolo al "
    "momento "
    "della riconsegna è sommaria: il Locatore potrà esaminarlo con cura anche in un momento successivo e "
    "addebitare al Cliente il costo di riparazione dei danni riscontrati che non risultino dalla scheda di "
    "verifica compilata alla consegna.",

    "Il Cliente assume per sé l'obbligo tassativo di essere permanentemente reperibile, per tutta la durata "
    "del "
    "noleggio, ai recapiti indicati a tergo e di comunicare senza indugio al Locatore ogni loro variazione. "
    "In "
    "caso di irreperibilità del Cliente il Locatore è autorizzato a trattenere l'intera cauzione a titolo di "
    "penale, salvo il maggior danno, e a rientrare in possesso del veicolo ovunque si trovi, con ogni spesa "
    "a "
    "carico del Cliente.",

    "Il veicolo si intende noleggiato secondo le tariffe in vigore alla data della stipula, come riportato a "
    "tergo della presente insieme al tipo di tariffa, al criterio di conteggio, alle date e agli orari di "
    "inizio "
    "e fine del noleggio e agli importi dovuti. Il canone è dovuto per l'intero periodo pattuito anche in "
    "caso di "
    "riconsegna anticipata; l'eventuale eccedenza è calcolata secondo il criterio indicato a tergo.",

    "Per il noleggio del veicolo il Cliente è obbligato a depositare presso il Locatore, all'atto della "
    "consegna, la cauzione indicata a tergo della presente, a garanzia dell'esatto adempimento di tutte le "
    "obbligazioni assunte. La cauzione non è produttiva di interessi e sarà restituita alla riconsegna del "
    "veicolo, previa verifica del suo stato, dedotte le somme eventualmente dovute dal Cliente per canoni, "
    "danni, pulizia, sanzioni o penali.",

    "Il Locatore, direttamente o tramite un'officina autorizzata, presta assistenza al Cliente in caso di "
    "guasto "
    "del veicolo non dovuto a colpa o negligenza di quest'ultimo, provvedendo alla riparazione o, se "
    "possibile, "
    "alla sostituzione del veicolo con altro di caratteristiche analoghe. Il Cliente non può far eseguire "
    "riparazioni da terzi senza la preventiva autorizzazione del Locatore; in mancanza, le relative spese "
    "restano "
    "a suo carico.",

    "Sono a carico del Cliente le operazioni di piccola manutenzione necessarie durante il noleggio, quali "
    "il "
    "controllo della pressione e il gonfiaggio degli pneumatici, la lubrificazione della catena, la "
    "riparazione "
    "delle forature e, per i veicoli a pedalata assistita, la ricarica della batteria, nonché le relative "
    "spese.",

    "Sono a carico del Cliente le ammende e contravvenzioni, le sanzioni amministrative e ogni altra spesa "
    "derivante da violazioni del Codice della Strada o di altre norme commesse durante il periodo di "
    "noleggio. Il "
    "Cliente autorizza il Locatore a comunicarne i dati alle autorità competenti e ad addebitargli le somme "
    "eventualmente pagate per suo conto, maggiorate delle spese sostenute.",

    "Il Cliente, consapevole di essere perseguibile ai sensi di legge in caso di dichiarazioni mendaci, "
    "dichiara "
    "che i dati forniti e riportati a tergo sono veritieri e corrispondono ai documenti esibiti. Il presente "
    "contratto è regolato dalla legge italiana e per ogni controversia relativa alla sua interpretazione o "
    "esecuzione è competente in via esclusiva il foro indicato a tergo. Il Cliente presta il proprio "
    "consenso al "
    "trattamento dei dati personali per le finalità e con le modalità descritte nell'informativa riportata a "
    "tergo, ai sensi del Regolamento UE 2016/679.",
};

const char* const Acceptance =
    "Il Cliente dichiara di comprendere ed accettare tutte le clausole del presente contratto.";

// Column of the clause numbers, then the clause texts hanging beside it.
const double NumberWidth = mm(7);

// The blank space that separates the blocks, in line heights of the body font. The space left
// over once the largest font that fits is found is shared out among them in the same proportion.
constexpr double GapAfterTitle = 0.9;
constexpr double GapAfterOpening = 0.6;
constexpr double GapBetweenClauses = 0.35;
constexpr double GapBeforeAcceptance = 0.8;
constexpr double GapBeforeDate = 1.4;
constexpr double GapBeforeSignatures = 3.0; // room to sign above the rules

Font titleFont(double body)
{
    return arial(body + 4, true);
}

// Lines the engine breaks a paragraph into in the given width, laid out exactly as it will be.
int lineCount(const QString& text, const Font& font, double width)
{
    Report probe;
    probe.addPage(QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
    probe
        .addText(QStringLiteral("probe"), QRectF(0, 0, width, mm(297)), text, font,
                 Qt::AlignLeft | Qt::AlignTop)
        .wordWrap = true;
    const Prepared prepared = prepare(probe, QDate());
    return int(prepared.document.pages.front().find(QStringLiteral("probe"))->lines.size());
}

// Heights of the blocks for a body size; the gaps come separately.
struct Heights {
    double title = 0;
    double opening = 0;
    std::vector<double> clauses;
    double acceptance = 0;
    double row = 0; // one body line: the date line and the signature line
    double line = 0;

    double gapUnits() const
    {
        return GapAfterTitle + GapAfterOpening + GapBetweenClauses * (ContractClauseCount - 1) +
               GapBeforeAcceptance + GapBeforeDate + GapBeforeSignatures;
    }
    double total() const
    {
        double sum = title + opening + acceptance + 2 * row + gapUnits() * line;
        for (double clause : clauses)
            sum += clause;
        return sum;
    }
};

Heights measure(double body)
{
    Heights heights;
    heights.line = lineHeight(arial(body));
    heights.row = heights.line;
    heights.title = lineHeight(titleFont(body));
    heights.opening = lineCount(QString::fromUtf8(Opening), arial(body), Area.width()) * heights.line;
    for (const char* clause : Clauses)
        heights.clauses.push_back(
            lineCount(QString::fromUtf8(clause), arial(body), Area.width() - NumberWidth) * heights.line);
    heights.acceptance =
        lineCount(QString::fromUtf8(Acceptance), arial(body, true), Area.width()) * heights.line;
    return heights;
}

struct Fit {
    double body;
    Heights heights;
};

Fit largestFit()
{
    for (double size = LargestSize; size > SmallestSize; size -= SizeStep) {
        const double rounded = std::round(size * 10) / 10;
        Heights heights = measure(rounded);
        if (heights.total() <= Area.height())
            return {rounded, heights};
    }
    return {SmallestSize, measure(SmallestSize)};
}

const Fit& pageFit()
{
    static const Fit fit = largestFit();
    return fit;
}

Object& addParagraph(Report& report, const QString& name, double top, double left, double width,
                     double height, const QString& text, const Font& font)
{
    Object& object =
        report.addText(name, QRectF(left, top, width, height), text, font, Qt::AlignLeft | Qt::AlignTop);
    object.wordWrap = true;
    return object;
}

// A text on one row, as wide as it needs; returns its right edge.
double addWord(Report& report, const QString& name, double left, double top, double height,
               const QString& text, const Font& font)
{
    const double width = std::ceil(textWidth(font, text)) + 1;
    report.addText(name, QRectF(left, top, width, height), text, font, Qt::AlignLeft | Qt::AlignVCenter);
    return left + width;
}

void addRule(Report& report, const QString& name, double from, double to, double top, double rowHeight)
{
    const double y = top + rowHeight * RuleDepth;
    report.addLine(name, QPointF(from, y), QPointF(to, y), RuleWidth);
}

// "Luogo: ________, data: ___/___/_____."
void addPlaceAndDate(Report& report, double top, double row, const Font& font)
{
    const double gap = mm(1);
    double x =
        addWord(report, QStringLiteral("titLuogo"), Area.left(), top, row, QStringLiteral("Luogo:"), font);
    addRule(report, QStringLiteral("linLuogo"), x + gap, x + gap + mm(70), top, row);
    x += gap + mm(70);
    x = addWord(report, QStringLiteral("titData"), x, top, row, QStringLiteral(", data:"), font);
    const double parts[] = {mm(10), mm(10), mm(16)};
    const QString names[] = {QStringLiteral("linGiorno"), QStringLiteral("linMese"),
                             QStringLiteral("linAnno")};
    for (int i = 0; i < 3; ++i) {
        addRule(report, names[i], x + gap, x + gap + parts[i], top, row);
        x += gap + parts[i] + gap;
        if (i < 2)
            x = addWord(report, QStringLiteral("titBarra%1").arg(i + 1), x, top, row, QStringLiteral("/"),
                        font);
    }
    addWord(report, QStringLiteral("titPunto"), x - gap, top, row, QStringLiteral("."), font);
}

// "IL CLIENTE: ________" on the left half, "IL LOCATORE: ________" on the right half.
void addSignatures(Report& report, double top, double row, const Font& font)
{
    const double half = Area.width() / 2;
    const double gap = mm(2);
    const double margin = mm(6); // between the left rule and the right half
    double x = addWord(report, QStringLiteral("titFirmaCliente"), Area.left(), top, row,
                       QStringLiteral("IL CLIENTE:"), font);
    addRule(report, QStringLiteral("linFirmaCliente"), x + gap, Area.left() + half - margin, top, row);
    x = addWord(report, QStringLiteral("titFirmaLocatore"), Area.left() + half + margin, top, row,
                QStringLiteral("IL LOCATORE:"), font);
    addRule(report, QStringLiteral("linFirmaLocatore"), x + gap, Area.right(), top, row);
}

} // namespace

QRectF contractConditionsArea()
{
    return Area;
}

double contractConditionsFontSize()
{
    return pageFit().body;
}

Report contractConditions()
{
    Report report(QStringLiteral("Condizioni contrattuali"));
    report.addPage(QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));

    const Fit& fit = pageFit();
    const Heights& h = fit.heights;
    const Font body = arial(fit.body);
    const Font bold = arial(fit.body, true);
    // The space the largest fitting font leaves over widens every gap alike, so the signatures
    // close the area at its bottom.
    const double unit = h.line + (Area.height() - h.total()) / h.gapUnits();

    double y = Area.top();
    report.addText(QStringLiteral("txtTitolo"), QRectF(Area.left(), y, Area.width(), h.title),
                   QString::fromUtf8(Title), titleFont(fit.body), Qt::AlignHCenter | Qt::AlignVCenter);
    y += h.title + GapAfterTitle * unit;

    addParagraph(report, QStringLiteral("txtPremessa"), y, Area.left(), Area.width(), h.opening,
                 QString::fromUtf8(Opening), body);
    y += h.opening + GapAfterOpening * unit;

    for (int i = 0; i < ContractClauseCount; ++i) {
        const QString number = QStringLiteral("%1").arg(i + 1, 2, 10, QLatin1Char('0'));
        report.addText(QStringLiteral("txtNumero") + number, QRectF(Area.left(), y, NumberWidth, h.line),
                       QStringLiteral("%1.").arg(i + 1), bold, Qt::AlignLeft | Qt::AlignTop);
        addParagraph(report, QStringLiteral("txtClausola") + number, y, Area.left() + NumberWidth,
                     Area.width() - NumberWidth, h.clauses[std::size_t(i)], QString::fromUtf8(Clauses[i]),
                     body);
        y += h.clauses[std::size_t(i)];
        if (i + 1 < ContractClauseCount)
            y += GapBetweenClauses * unit;
    }
    y += GapBeforeAcceptance * unit;

    addParagraph(report, QStringLiteral("txtAccettazione"), y, Area.left(), Area.width(), h.acceptance,
                 QString::fromUtf8(Acceptance), bold);
    y += h.acceptance + GapBeforeDate * unit;

    addPlaceAndDate(report, y, h.row, body);
    y += h.row + GapBeforeSignatures * unit;

    addSignatures(report, y, h.row, bold);
    return report;
}

} // namespace rf::Reports
