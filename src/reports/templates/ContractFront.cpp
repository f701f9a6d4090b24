#include "ContractFront.h"

#include "reports/Units.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace rf::report {
namespace {

constexpr QRgb LightSteelBlue = 0xFFB0C4DE;
constexpr QRgb Lavender = 0xFFE6E6FA;
constexpr QRgb Gold = 0xFFFFD700;
const double ThinLine = mm(0.2);
const double SignatureLine = mm(0.3);

struct Mm {
    double left, top, width, height;
    QRectF units() const { return QRectF(mm(left), mm(top), mm(width), mm(height)); }
};

// A value object: named "txt" + field, printing prefix + the field's trimmed value.
struct ValueField {
    const char* field;
    Mm rect;
    double points;
    bool bold;
    bool centred;
    const char* prefix;
};

// Every value printed on the front, in page order. The prefixes end with two blanks (and the euro
// sign and a blank for amounts): they are the printed text of an empty contract.
const ValueField ValueFields[] = {
    {"Data", {86, 9, 101, 4}, 9, false, false, "Data stipula:  "},
    {"Luogo", {86, 14.5, 101, 4}, 9, false, false, "Luogo:  "},
    {"Pagamento", {91, 34, 96, 4}, 9, false, false, ""},
    {"Ditta01", {2, 49.4, 185.9, 4}, 8, true, true, ""},
    {"Ditta02", {2, 54, 185.9, 4}, 8, false, true, ""},
    {"Cliente", {2, 69.2, 108, 4}, 8, false, false, "Cognome e nome:  "},
    {"CodFisc", {112.5, 69.2, 56, 4}, 8, false, false, "Codice Fiscale:  "},
    {"Sesso", {171, 69.2, 17, 4}, 8, false, false, "Sesso:  "},
    {"IndirizzoRes", {2, 75, 83, 4}, 8, false, false, "Indirizzo:  "},
    {"ComuneRes", {87, 75, 65, 4}, 8, false, false, "Città:  "},
    {"ProvRes", {154, 75, 15, 4}, 8, false, false, "Prov.  "},
    {"CapRes", {171, 75, 17, 4}, 7, false, false, "CAP:  "},
    {"Recapito", {2, 80.4, 57, 4}, 8, false, false, "Tel.  "},
    {"DataNasc", {61, 80.4, 35, 4}, 8, false, false, "Data nasc.  "},
    {"LuogoNasc", {98, 80.4, 71, 4}, 8, false, false, "Luogo nasc.  "},
    {"ProvNasc", {171, 80.4, 17, 4}, 8, false, false, "Prov.  "},
    {"TipoDoc", {2, 86, 35.9, 4}, 7, false, false, "Tipo doc.  "},
    {"NumDoc", {40, 86, 34, 4}, 7, false, false, "N.  "},
    {"EnteRil", {76.5, 86, 47.5, 4}, 7, false, false, "Ente ril.  "},
    {"DataRil", {126.2, 86, 30, 4}, 7, false, false, "Data ril.  "},
    {"DataSca", {158.4, 86, 30, 4}, 7, false, false, "Scad.  "},
    {"Minore", {2, 92, 57, 4}, 8, false, false, "Minore:  "},
    {"DataNascMin", {61, 91.8, 37, 4}, 8, false, false, "Data nasc.  "},
    {"LuogoNascMin", {100, 91.8, 69, 4}, 8, false, false, "Luogo nasc.  "},
    {"SessoMin", {171, 91.8, 17, 4}, 8, false, false, "Sesso:  "},
    {"BiciNum", {2, 117.2, 49, 4}, 8, false, false, "Bicicletta n.  "},
    {"Marca", {53, 117.2, 135, 4}, 8, false, false, "Marca:  "},
    {"Telaio", {2, 123, 128, 4}, 8, false, false, "Telaio n.  "},
    {"Taglia", {132, 123, 56, 4}, 8, false, false, "Taglia:  "},
    {"DataInizio", {2, 128.4, 36, 4}, 8, false, false, "Data inizio:  "},
    {"OraInizio", {40.5, 128.4, 29.8, 4}, 8, false, false, "Ora inizio:  "},
    {"SedeRit", {72, 128.4, 116.5, 4}, 8, false, false, "Sede ritiro:  "},
    {"DataFine", {2, 134, 36, 4}, 8, false, false, "Data fine:  "},
    {"OraFine", {40.5, 134, 29.8, 4}, 8, false, false, "Ora fine:  "},
    {"SedeRic", {72, 134, 88.5, 4}, 8, false, false, "Sede riconsegna:  "},
    {"TotGiorni", {162.5, 134, 25.5, 4}, 8, false, false, "Tot. giorni:  "},
    {"Accessori", {2, 139.5, 186.4, 4}, 8, false, false, "Accessori forniti al Cliente:  "},
    {"Tariffa", {2, 154, 60, 4}, 8, false, false, "Tipo tariffa:  "},
    {"Importo", {64, 154, 39, 4}, 8, false, false, "Imp. unitario:  € "},
    {"Totale", {105, 154, 39, 4}, 8, false, false, "Imp. totale:  € "},
    {"Cauzione", {146, 154, 42, 4}, 8, false, false, "Cauzione:  € "},
    {"Conteggio", {2, 159.5, 186, 4}, 8, false, false, "Criterio conteggio:  "},
    {"Eccedenza", {2, 165.5, 186, 4}, 8, false, false, "Calcolo eccedenza:  "},
    {"Assicurazioni", {2, 179, 185.9, 4}, 7, false, false, ""},
    {"Privacy", {2, 226, 87.9, 4}, 8, false, true, ""},
    {"Foro", {100, 226, 87.9, 4}, 8, false, true, ""},
    {"Note", {2, 267, 185.9, 4}, 8, false, false, ""},
};

// A coloured band with its heading above a framed box; ruled boxes get a line between their rows
// and between the cells of each row.
struct Section {
    const char* name;
    const char* heading;
    Mm band;
    Mm box;
    QRgb fill;
    bool ruled;
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

QString objectName(const ValueField& field)
{
    return QStringLiteral("txt") + QLatin1String(field.field);
}

Font arial(double points, bool bold = false)
{
    return Font{QStringLiteral("Arial"), points, bold};
}

void addFramedBox(Report& report, const QString& name, const Mm& rect, const QColor& fill)
{
    report.addShape(name, rect.units(), fill, Qt::black, ThinLine);
}

// Rules a box from the value objects inside it: a line halfway between one row's text and the
// next, and in each row a line halfway between neighbouring cells, as tall as the row.
void addCellLines(Report& report, const Section& section)
{
    const QRectF box = section.box.units();
    std::vector<QRectF> cells;
    for (const ValueField& field : ValueFields) {
        const QRectF rect = field.rect.units();
        if (box.contains(rect.center()))
            cells.push_back(rect);
    }
    std::sort(cells.begin(), cells.end(), [](const QRectF& a, const QRectF& b) {
        return a.top() < b.top() || (a.top() == b.top() && a.left() < b.left());
    });
    // Rows: cells whose tops lie within a millimetre of the row's first cell.
    std::vector<std::vector<QRectF>> rows;
    for (const QRectF& cell : cells) {
        if (rows.empty() || cell.top() > rows.back().front().top() + mm(1))
            rows.emplace_back();
        rows.back().push_back(cell);
    }
    auto rowTop = [](const std::vector<QRectF>& row) {
        return std::min_element(row.begin(), row.end(), [](auto& a, auto& b) { return a.top() < b.top(); })
            ->top();
    };
    auto rowBottom = [](const std::vector<QRectF>& row) {
        return std::max_element(row.begin(), row.end(),
                                [](auto& a, auto& b) { return a.bottom() < b.bottom(); })
            ->bottom();
    };
    std::vector<double> edges{box.top()};
    for (std::size_t i = 0; i + 1 < rows.size(); ++i)
        edges.push_back((rowBottom(rows[i]) + rowTop(rows[i + 1])) / 2.0);
    edges.push_back(box.bottom());

    int number = 0;
    auto lineName = [&] {
        return QStringLiteral("lin%1%2")
            .arg(QLatin1String(section.name))
            .arg(++number, 2, 10, QLatin1Char('0'));
    };
    for (std::size_t i = 1; i + 1 < edges.size(); ++i)
        report.addLine(lineName(), QPointF(box.left(), edges[i]), QPointF(box.right(), edges[i]), ThinLine);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        std::vector<QRectF> row = rows[i];
        std::sort(row.begin(), row.end(), [](auto& a, auto& b) { return a.left() < b.left(); });
        for (std::size_t j = 0; j + 1 < row.size(); ++j) {
            const double x = (row[j].right() + row[j + 1].left()) / 2.0;
            report.addLine(lineName(), QPointF(x, edges[i]), QPointF(x, edges[i + 1]), ThinLine);
        }
    }
}

void addSection(Report& report, const Section& section)
{
    Object& band =
        report.addText(QStringLiteral("tit") + QLatin1String(section.name), section.band.units(),
                       QString::fromUtf8(section.heading), arial(9), Qt::AlignHCenter | Qt::AlignVCenter);
    band.fill = QColor::fromRgba(section.fill);
    band.frame = Qt::black;
    band.frameWidth = ThinLine;
    addFramedBox(report, QStringLiteral("shp") + QLatin1String(section.name), section.box, Qt::transparent);
    if (section.ruled)
        addCellLines(report, section);
}

Object& addFixed(Report& report, const char* name, const Mm& rect, const char* text, const Font& font,
                 Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
{
    return report.addText(QLatin1String(name), rect.units(), QString::fromUtf8(text), font, alignment);
}

} // namespace

Report ContractFront(const QImage& bicycle)
{
    Report report(QStringLiteral("Contratto Noleggio Bicicletta"));
    report.addPage(QPageLayout::Portrait, QMarginsF(10, 10, 10, 10));

    // Boxes and bands first, so the texts are drawn over their fills.
    addFramedBox(report, QStringLiteral("shpTitolo"), {83, 1, 106, 20}, QColor::fromRgba(LightSteelBlue));
    addFramedBox(report, QStringLiteral("shpPagamento"), {83, 27, 106, 13}, QColor::fromRgba(Lavender));
    for (const Section& section : Sections)
        addSection(report, section);

    report.addPicture(QStringLiteral("imgLogo"), Mm{1, 1, 79, 39}.units());
    report.addPicture(QStringLiteral("picVeicolo"), Mm{84, 98.2, 23, 11}.units(), bicycle);

    addFixed(report, "txtTitolo", {86, 3.5, 101, 4}, "CONTRATTO DI NOLEGGIO BICICLETTE", arial(9, true));
    addFixed(report, "titPagamento", {86, 29.5, 101, 3.5}, "Modalità di pagamento:", arial(8));
    for (const ValueField& field : ValueFields) {
        const Qt::Alignment horizontal = field.centred ? Qt::AlignHCenter : Qt::AlignLeft;
        report.addText(objectName(field), field.rect.units(), QString::fromUtf8(field.prefix),
                       arial(field.points, field.bold), horizontal | Qt::AlignVCenter);
    }
    Object& notice = addFixed(report, "txtRaccomandazioni", {2, 193, 185.9, 22}, DataNotice, arial(6),
                              Qt::AlignLeft | Qt::AlignTop);
    notice.wordWrap = true;

    addFixed(report, "titFirmaMeccanico", {2, 238, 89, 5}, "FIRMA DEL LOCATORE", arial(9));
    addFixed(report, "titFirmaCliente", {100, 238, 89, 5}, "FIRMA DEL CLIENTE", arial(9));
    report.addLine(QStringLiteral("linFirmaMeccanico"), QPointF(mm(2), mm(253)), QPointF(mm(2 + 78), mm(253)),
                   SignatureLine);
    report.addLine(QStringLiteral("linFirmaCliente"), QPointF(mm(100), mm(253)),
                   QPointF(mm(100 + 78), mm(253)), SignatureLine);
    addFixed(
        report, "titPrivacy", {2, 274, 193, 3.8},
        "Il presente contratto di noleggio biciclette è composto da due pagine. Le condizioni contrattuali "
        "riportate sul retro costituiscono parte integrante del documento.",
        arial(7));
    return report;
}

void FillContractFront(Report& report, const QImage& logo,
                       const std::function<QString(const QString& field)>& valueOf)
{
    report.setOrientation(QPageLayout::Portrait);
    report.setPicture(QStringLiteral("imgLogo"), logo);
    for (const ValueField& field : ValueFields) {
        const QString value = valueOf(QLatin1String(field.field)).trimmed();
        report.setText(objectName(field), QString::fromUtf8(field.prefix) + value);
    }
}

QStringList ContractFrontFields()
{
    QStringList fields;
    for (const ValueField& field : ValueFields)
        fields.append(QLatin1String(field.field));
    return fields;
}

} // namespace rf::report
