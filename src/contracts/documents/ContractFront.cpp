#include "ContractFront.h"

#include "ContractSheetParts.h"

namespace rf::Reports {
using namespace Sheet;
namespace {

// A value object of the front with the contract's prefix for its field.
struct FrontField {
    ValueField value;
    const char* prefix;
};

// Every value printed on the front, in page order, and the one table of the contract's prefixes. They
// end with two blanks (and the euro sign and a blank for amounts): they are the printed text of an
// empty contract.
const FrontField ValueFields[] = {
    {{"Data", {86, 9, 101, 4}, 9, false, false}, "Data stipula:  "},
    {{"Luogo", {86, 14.5, 101, 4}, 9, false, false}, "Luogo:  "},
    {{"Pagamento", {91, 34, 96, 4}, 9, false, false}, ""},
    {{"Ditta01", {2, 49.4, 185.9, 4}, 8, true, true}, ""},
    {{"Ditta02", {2, 54, 185.9, 4}, 8, false, true}, ""},
    {{"Cliente", {2, 69.2, 108, 4}, 8, false, false}, "Cognome e nome:  "},
    {{"CodFisc", {112.5, 69.2, 56, 4}, 8, false, false}, "Codice Fiscale:  "},
    {{"Sesso", {171, 69.2, 17, 4}, 8, false, false}, "Sesso:  "},
    {{"IndirizzoRes", {2, 75, 83, 4}, 8, false, false}, "Indirizzo:  "},
    {{"ComuneRes", {87, 75, 65, 4}, 8, false, false}, "Città:  "},
    {{"ProvRes", {154, 75, 15, 4}, 8, false, false}, "Prov.  "},
    {{"CapRes", {171, 75, 17, 4}, 7, false, false}, "CAP:  "},
    {{"Recapito", {2, 80.4, 57, 4}, 8, false, false}, "Tel.  "},
    {{"DataNasc", {61, 80.4, 35, 4}, 8, false, false}, "Data nasc.  "},
    {{"LuogoNasc", {98, 80.4, 71, 4}, 8, false, false}, "Luogo nasc.  "},
    {{"ProvNasc", {171, 80.4, 17, 4}, 8, false, false}, "Prov.  "},
    {{"TipoDoc", {2, 86, 35.9, 4}, 7, false, false}, "Tipo doc.  "},
    {{"NumDoc", {40, 86, 34, 4}, 7, false, false}, "N.  "},
    {{"EnteRil", {76.5, 86, 47.5, 4}, 7, false, false}, "Ente ril.  "},
    {{"DataRil", {126.2, 86, 30, 4}, 7, false, false}, "Data ril.  "},
    {{"DataSca", {158.4, 86, 30, 4}, 7, false, false}, "Scad.  "},
    {{"Minore", {2, 92, 57, 4}, 8, false, false}, "Minore:  "},
    {{"DataNascMin", {61, 91.8, 37, 4}, 8, false, false}, "Data nasc.  "},
    {{"LuogoNascMin", {100, 91.8, 69, 4}, 8, false, false}, "Luogo nasc.  "},
    {{"SessoMin", {171, 91.8, 17, 4}, 8, false, false}, "Sesso:  "},
    {{"BiciNum", {2, 117.2, 49, 4}, 8, false, false}, "Bicicletta n.  "},
    {{"Marca", {53, 117.2, 135, 4}, 8, false, false}, "Marca:  "},
    {{"Telaio", {2, 123, 128, 4}, 8, false, false}, "Telaio n.  "},
    {{"Taglia", {132, 123, 56, 4}, 8, false, false}, "Taglia:  "},
    {{"DataInizio", {2, 128.4, 36, 4}, 8, false, false}, "Data inizio:  "},
    {{"OraInizio", {40.5, 128.4, 29.8, 4}, 8, false, false}, "Ora inizio:  "},
    {{"SedeRit", {72, 128.4, 116.5, 4}, 8, false, false}, "Sede ritiro:  "},
    {{"DataFine", {2, 134, 36, 4}, 8, false, false}, "Data fine:  "},
    {{"OraFine", {40.5, 134, 29.8, 4}, 8, false, false}, "Ora fine:  "},
    {{"SedeRic", {72, 134, 88.5, 4}, 8, false, false}, "Sede riconsegna:  "},
    {{"TotGiorni", {162.5, 134, 25.5, 4}, 8, false, false}, "Tot. giorni:  "},
    {{"Accessori", {2, 139.5, 186.4, 4}, 8, false, false}, "Accessori forniti al Cliente:  "},
    {{"Tariffa", {2, 154, 60, 4}, 8, false, false}, "Tipo tariffa:  "},
    {{"Importo", {64, 154, 39, 4}, 8, false, false}, "Imp. unitario:  € "},
    {{"Totale", {105, 154, 39, 4}, 8, false, false}, "Imp. totale:  € "},
    {{"Cauzione", {146, 154, 42, 4}, 8, false, false}, "Cauzione:  € "},
    {{"Conteggio", {2, 159.5, 186, 4}, 8, false, false}, "Criterio conteggio:  "},
    {{"Eccedenza", {2, 165.5, 186, 4}, 8, false, false}, "Calcolo eccedenza:  "},
    {{"Assicurazioni", {2, 179, 185.9, 4}, 7, false, false}, ""},
    {{"Privacy", {2, 226, 87.9, 4}, 8, false, true}, ""},
    {{"Foro", {100, 226, 87.9, 4}, 8, false, true}, ""},
    {{"Note", {2, 267, 185.9, 4}, 8, false, false}, ""},
};

const Section Sections[] = {
    {"Locatore", "DATI LOCATORE", {1, 42, 188, 5.8}, {1, 48, 188, 11}, LightSteelBlue, false},
    {"Cliente", "DATI CLIENTE", {1, 62, 188, 5.8}, {1, 68, 188, 29}, Lavender, true},
    {"Veicolo", "DATI VEICOLO LOCATO", {1, 110, 188, 5.8}, {1, 116, 188, 28.5}, LightSteelBlue, true},
    {"Costi", "COSTI NOLEGGIO", {1, 147, 188, 5.8}, {1, 153, 188, 17}, Lavender, true},
    {"Assicurazioni", "POLIZZE ASSICURATIVE", {1, 172, 188, 5.8}, {1, 178, 188, 6}, LightSteelBlue, false},
    {"Trattamento", "TRATTAMENTO DEI DATI PERSONALI", {1, 186, 188, 5.8}, {1, 192, 188, 24}, Lavender, false},
    {"Titolare", "TITOLARE PRIVACY", {1, 219, 90, 5.8}, {1, 225, 90, 6}, Gold, false},
    {"Foro", "FORO DI COMPETENZA", {99, 219, 90, 5.8}, {99, 225, 90, 6}, Gold, false},
    {"Annotazioni", "ANNOTAZIONI", {1, 260, 188, 5.8}, {1, 266, 188, 6}, LightSteelBlue, false},
};

const char* const DataNotice =
    "Ai sensi del Regolamento UE 2016/679 (Regolamento Generale sulla Protezione dei Dati), il Cliente, con "
    "la "
    "sottoscrizione della presente, dichiara di essere stato informato che i dati da lui forniti potranno "
    "formare "
    "oggetto di trattamento nel rispetto di detta normativa. Il Titolare del trattamento, ai sensi della "
    "Legge, è "
    "indicato in calce alla presente dichiarazione. Tali dati saranno utilizzati per la conclusione ed "
    "esecuzione di "
    "contratti di noleggio di veicoli nonché per la realizzazione di una banca dati della clientela a tali "
    "scopi e "
    "per l'attivazione degli standard internazionali dei sistemi di pagamento concordati con il Locatore. "
    "Gli stessi "
    "dati potranno essere utilizzati dal Locatore anche al fine di consentire alle autorità pubbliche di "
    "inoltrare "
    "eventuali contestazioni al Cliente responsabile di violazioni del codice della strada o di altre "
    "normative "
    "applicabili, per il pagamento delle relative sanzioni pecuniarie da parte del Cliente stesso. Il "
    "trattamento dei "
    "dati avverrà tramite strumenti idonei a garantire la sicurezza e la riservatezza degli stessi. Il "
    "conferimento "
    "dei dati da parte del Cliente ed il consenso al relativo trattamento sono liberi e sono necessariamente "
    "funzionali all'instaurazione ed allo svolgimento del presente rapporto contrattuale. In ogni caso, il "
    "Cliente "
    "può ottenere in qualsiasi momento l'aggiornamento, la rettifica o la cancellazione dei dati che lo "
    "riguardano.";

std::vector<QRectF> cellRects()
{
    std::vector<QRectF> cells;
    for (const FrontField& field : ValueFields)
        cells.push_back(field.value.rect.units());
    return cells;
}

} // namespace

Report contractFront(const QImage& bicycle)
{
    Report report(QStringLiteral("Contratto Noleggio Bicicletta"));
    report.addPage(QPageLayout::Portrait, QMarginsF(10, 10, 10, 10));

    // Boxes and bands first, so the texts are drawn over their fills.
    addFramedBox(report, QStringLiteral("shpTitolo"), {83, 1, 106, 20}, QColor::fromRgba(LightSteelBlue));
    addFramedBox(report, QStringLiteral("shpPagamento"), {83, 27, 106, 13}, QColor::fromRgba(Lavender));
    const std::vector<QRectF> cells = cellRects();
    for (const Section& section : Sections)
        addSection(report, section, cells);

    report.addPicture(QStringLiteral("imgLogo"), Mm{1, 1, 79, 39}.units());
    report.addPicture(QStringLiteral("picVeicolo"), Mm{84, 98.2, 23, 11}.units(), bicycle);

    addFixedText(report, "txtTitolo", {86, 3.5, 101, 4}, "CONTRATTO DI NOLEGGIO BICICLETTE", arial(9, true));
    addFixedText(report, "titPagamento", {86, 29.5, 101, 3.5}, "Modalità di pagamento:", arial(8));
    for (const FrontField& field : ValueFields)
        addValueObject(report, field.value);
    Object& notice = addFixedText(report, "txtRaccomandazioni", {2, 193, 185.9, 22}, DataNotice, arial(6),
                                  Qt::AlignLeft | Qt::AlignTop);
    notice.wordWrap = true;

    addSignatures(report, 238, 253);
    addFixedText(
        report, "titPrivacy", {2, 274, 193, 3.8},
        "Il presente contratto di noleggio biciclette è composto da due pagine. Le condizioni contrattuali "
        "riportate sul retro costituiscono parte integrante del documento.",
        arial(7));
    return report;
}

void fillContractFront(Report& report, const QImage& logo,
                       const std::function<QString(const QString& field)>& valueOf)
{
    report.setOrientation(QPageLayout::Portrait);
    report.setPicture(QStringLiteral("imgLogo"), logo);
    for (const FrontField& field : ValueFields)
        fillValueObject(report, field.value, valueOf(QLatin1String(field.value.field)));
}

QStringList contractFrontFields()
{
    QStringList fields;
    for (const FrontField& field : ValueFields)
        fields.append(QLatin1String(field.value.field));
    return fields;
}

QString contractPrefix(const QString& field)
{
    for (const FrontField& entry : ValueFields) {
        if (field == QLatin1String(entry.value.field))
            return QString::fromUtf8(entry.prefix);
    }
    return {};
}

} // namespace rf::Reports
