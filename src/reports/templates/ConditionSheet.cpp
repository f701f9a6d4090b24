#include "ConditionSheet.h"

#include "ContractFront.h"
#include "app/Amounts.h"
#include "reports/Units.h"

#include <QHash>

#include <algorithm>
#include <cmath>
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

// A value object: named "txt" + field. A prefixed field prints the same prefix as on the
// contract's front; the others print their value alone.
struct ValueField {
    const char* field;
    Mm rect;
    double points;
    bool bold;
    bool centred;
    bool prefixed;
};

const ValueField ValueFields[] = {
    {"Data", {83, 21, 104, 4}, 9, false, false, true},
    {"Luogo", {83, 26.5, 104, 4}, 9, false, false, true},
    {"Ditta01", {2, 44.2, 185.9, 4}, 8, true, true, false},
    {"Ditta02", {2, 49, 185.9, 4}, 8, false, true, false},
    {"Cliente", {2, 64, 107, 4}, 8, false, false, true},
    {"CodFisc", {112.5, 64, 56, 4}, 8, false, false, true},
    {"Sesso", {171, 64, 17, 4}, 8, false, false, true},
    {"IndirizzoRes", {2, 70, 83, 4}, 8, false, false, true},
    {"ComuneRes", {87, 70, 65, 4}, 8, false, false, true},
    {"ProvRes", {154, 70, 15, 4}, 8, false, false, true},
    {"CapRes", {171, 70, 17, 4}, 7, false, false, true},
    {"Recapito", {2, 75.4, 51, 4}, 8, false, false, true},
    {"DataNasc", {55, 75.4, 41, 4}, 8, false, false, true},
    {"LuogoNasc", {98, 75.4, 71, 4}, 8, false, false, true},
    {"ProvNasc", {171, 75.4, 17, 4}, 8, false, false, true},
    {"TipoDoc", {2, 81, 34.2, 4}, 7, false, false, true},
    {"NumDoc", {38, 81, 32, 4}, 7, false, false, true},
    {"EnteRil", {72.5, 81, 51.5, 4}, 7, false, false, true},
    {"DataRil", {126.2, 81, 30, 4}, 7, false, false, true},
    {"DataSca", {158.4, 81, 30, 4}, 7, false, false, true},
    {"Minore", {2, 87, 57, 4}, 8, false, false, true},
    {"DataNascMin", {61, 86.8, 37, 4}, 8, false, false, true},
    {"LuogoNascMin", {100, 86.8, 69, 4}, 8, false, false, true},
    {"SessoMin", {171, 86.8, 17, 4}, 8, false, false, true},
    {"BiciNum", {2, 101, 49, 4}, 8, false, false, true},
    {"Marca", {53, 101, 98, 4}, 8, false, false, true},
    {"Taglia", {153, 101, 35, 4}, 8, false, false, true},
    {"Accessori", {2, 107, 185.5, 4}, 8, false, false, true},
    {"DataInizio", {2, 112.4, 36, 4}, 8, false, false, true},
    {"OraInizio", {40.5, 112.4, 29, 4}, 8, false, false, true},
    {"SedeRit", {72, 112.4, 116.5, 4}, 8, false, false, true},
    {"DataFine", {2, 118, 36, 4}, 8, false, false, true},
    {"OraFine", {40.5, 118, 29, 4}, 8, false, false, true},
    {"SedeRic", {72, 118, 88.5, 4}, 8, false, false, true},
    {"TotGiorni", {162.5, 118, 25.5, 4}, 8, false, false, true},
    {"Difetti", {2, 210, 185.9, 4}, 8, false, false, false},
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
    {"Locatore", "DATI LOCATORE", {1, 37, 188, 5.8}, {1, 43, 188, 11}, LightSteelBlue, false},
    {"Cliente", "DATI CLIENTE", {1, 57, 188, 5.8}, {1, 63, 188, 29}, Lavender, true},
    {"Veicolo", "DATI VEICOLO LOCATO", {1, 94, 188, 5.8}, {1, 100, 188, 22.5}, LightSteelBlue, true},
    {"Difetti",
     "DIFETTI RISCONTRATI AL RIENTRO",
     {1, 203, 188, 5.8},
     {1, 209, 188, 6},
     LightSteelBlue,
     false},
    {"Responsabilita", "RESPONSABILITA' DEL CLIENTE", {1, 220, 188, 5.8}, {1, 226, 188, 15}, Lavender, false},
};

const char* const DamageHint =
    "Indicare a penna eventuali danni e anomalie visibili sul veicolo. Apporre la lettera "
    "corrispondente al danno sulla parte danneggiata nei grafici sottostanti:";

const char* const DamageLegend = "A=Ammaccato   B=Bruciato   D=Distaccato   F=Forato   G=Graffiato   "
                                 "I=Imbrattato   M=Mancante   S=Spaccato   T=Tagliato   U=Usurato";

const char* const ResponsibilityNotice =
    "Il Cliente è responsabile per i danni causati al veicolo per utilizzo improprio o derivanti da usura "
    "eccedente "
    "il normale deperimento d'uso. Il Locatore non è responsabile per i danni derivanti dal mancato "
    "adempimento da "
    "parte del Cliente dell'obbligo di diligenza nella manutenzione e conduzione del veicolo e si riserva di "
    "procedere all'addebito, a titolo di penale, dei danni occorsi al veicolo comunque correlati al "
    "manifesto dolo o "
    "colpa grave del Cliente nell'uso del mezzo. Resta salva la facoltà del Cliente di dimostrare che i "
    "danni siano "
    "dipesi da cause a lui non imputabili ai sensi dell'art. 1588 del Codice civile.";

const char* const LaterCharges =
    "Il Locatore si riserva di effettuare, entro quindici giorni lavorativi dalla riconsegna del veicolo, "
    "l'addebito al Cliente di eventuali ulteriori danni non rilevati alla restituzione del mezzo.";

QString objectName(const ValueField& field)
{
    return QStringLiteral("txt") + QLatin1String(field.field);
}

Font arial(double points, bool bold = false)
{
    return Font{QStringLiteral("Arial"), points, bold};
}

// The prefixes of the contract's front, by field: an empty front prints each of them bare.
const QHash<QString, QString>& frontPrefixes()
{
    static const QHash<QString, QString> prefixes = [] {
        Report front = ContractFront(QImage());
        FillContractFront(front, QImage(), [](const QString&) { return QString(); });
        QHash<QString, QString> byField;
        for (const QString& field : ContractFrontFields()) {
            if (const Object* object = front.find(QStringLiteral("txt") + field))
                byField.insert(field, object->lines.value(0));
        }
        return byField;
    }();
    return prefixes;
}

QString prefixOf(const ValueField& field)
{
    return field.prefixed ? frontPrefixes().value(QLatin1String(field.field)) : QString();
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
    std::vector<std::vector<QRectF>> rows; // cells whose tops lie within a millimetre share a row
    for (const ValueField& field : ValueFields) {
        const QRectF cell = field.rect.units();
        if (!box.contains(cell.center()))
            continue;
        auto row = std::find_if(rows.begin(), rows.end(), [&](const auto& r) {
            return std::abs(r.front().top() - cell.top()) <= mm(1);
        });
        if (row == rows.end())
            rows.push_back({cell});
        else
            row->push_back(cell);
    }
    std::sort(rows.begin(), rows.end(),
              [](const auto& a, const auto& b) { return a.front().top() < b.front().top(); });

    auto top = [](const std::vector<QRectF>& row) {
        double y = row.front().top();
        for (const QRectF& cell : row)
            y = std::min(y, cell.top());
        return y;
    };
    auto bottom = [](const std::vector<QRectF>& row) {
        double y = row.front().bottom();
        for (const QRectF& cell : row)
            y = std::max(y, cell.bottom());
        return y;
    };
    std::vector<double> edges{box.top()};
    for (std::size_t i = 0; i + 1 < rows.size(); ++i)
        edges.push_back((bottom(rows[i]) + top(rows[i + 1])) / 2.0);
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
        std::vector<QRectF>& row = rows[i];
        std::sort(row.begin(), row.end(),
                  [](const QRectF& a, const QRectF& b) { return a.left() < b.left(); });
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

Report ConditionSheet()
{
    Report report(QStringLiteral("Scheda Verifica Stato Bici"));
    report.addPage(QPageLayout::Portrait, QMarginsF(10, 10, 10, 10));

    // Boxes and bands first, so the texts are drawn over their fills.
    addFramedBox(report, QStringLiteral("shpTitolo"), {80, 1, 109, 9}, QColor::fromRgba(Lavender));
    addFramedBox(report, QStringLiteral("shpContratto"), {80, 13, 109, 20}, QColor::fromRgba(LightSteelBlue));
    for (const Section& section : Sections)
        addSection(report, section);
    addFramedBox(report, QStringLiteral("shpDanni"), {1, 124, 188, 76}, Qt::transparent);
    report.addLine(QStringLiteral("linDanni"), QPointF(mm(1), mm(129)), QPointF(mm(189), mm(129)), ThinLine);
    addFramedBox(report, QStringLiteral("shpCalce"), {1, 270, 188, 5.8}, QColor::fromRgba(Gold));

    report.addPicture(QStringLiteral("imgLogo"), Mm{1, 1, 75, 32}.units());

    addFixed(report, "titPagamento", {83, 3.2, 104, 5}, "SCHEDA DI VERIFICA STATO VEICOLO", arial(10, true));
    addFixed(report, "txtTitolo", {83, 15.5, 104, 4}, "CONTRATTO DI NOLEGGIO BICICLETTE", arial(9, true));
    for (const ValueField& field : ValueFields) {
        const Qt::Alignment horizontal = field.centred ? Qt::AlignHCenter : Qt::AlignLeft;
        report.addText(objectName(field), field.rect.units(), prefixOf(field),
                       arial(field.points, field.bold), horizontal | Qt::AlignVCenter);
    }

    // The damage box: how to mark, the bicycle from both sides, the letter codes.
    addFixed(report, "Memo1", {2, 124.7, 186, 3.5}, DamageHint, arial(7));
    addFixed(report, "Memo3", {5, 131, 89, 5}, "LATO DESTRO", arial(10, true),
             Qt::AlignHCenter | Qt::AlignVCenter);
    addFixed(report, "Memo4", {96.6, 131, 89, 5}, "LATO SINISTRO", arial(10, true),
             Qt::AlignHCenter | Qt::AlignVCenter);
    report.addPicture(QStringLiteral("Picture1"), Mm{5, 137.4, 89, 55}.units());
    report.addPicture(QStringLiteral("Picture2"), Mm{96.6, 137.4, 89, 55}.units());
    addFixed(report, "Memo2", {2, 194, 186, 4.4}, DamageLegend, arial(8),
             Qt::AlignHCenter | Qt::AlignVCenter);

    Object& notice = addFixed(report, "txtRaccomandazioni", {2, 227, 185.9, 13}, ResponsibilityNotice,
                              arial(6), Qt::AlignLeft | Qt::AlignTop);
    notice.wordWrap = true;

    addFixed(report, "titFirmaMeccanico", {2, 246, 89, 5}, "FIRMA DEL LOCATORE", arial(9));
    addFixed(report, "titFirmaCliente", {100, 246, 89, 5}, "FIRMA DEL CLIENTE", arial(9));
    report.addLine(QStringLiteral("linFirmaMeccanico"), QPointF(mm(2), mm(262)), QPointF(mm(2 + 78), mm(262)),
                   SignatureLine);
    report.addLine(QStringLiteral("linFirmaCliente"), QPointF(mm(100), mm(262)),
                   QPointF(mm(100 + 78), mm(262)), SignatureLine);
    addFixed(report, "titPrivacy", {2, 264, 186, 3.5}, LaterCharges, arial(6));
    addFixed(report, "txtCalce", {2, 271, 185.8, 4.2}, "", arial(8), Qt::AlignHCenter | Qt::AlignVCenter);
    return report;
}

QString PrintedAtText(const QDateTime& printedAt)
{
    return QStringLiteral("Stampa eseguita in data ") + FormatDate(printedAt.date()) +
           QStringLiteral(" alle ore ") + printedAt.time().toString(QStringLiteral("HH:mm:ss"));
}

void FillConditionSheet(Report& report, const QImage& logo, const QImage& bikeLeft, const QImage& bikeRight,
                        const QDateTime& printedAt,
                        const std::function<QString(const QString& field)>& valueOf)
{
    report.setOrientation(QPageLayout::Portrait);
    report.setPicture(QStringLiteral("imgLogo"), logo);
    report.setPicture(QStringLiteral("Picture1"), bikeLeft);
    report.setPicture(QStringLiteral("Picture2"), bikeRight);
    for (const ValueField& field : ValueFields)
        report.setText(objectName(field), prefixOf(field) + valueOf(QLatin1String(field.field)).trimmed());
    report.setText(QStringLiteral("txtCalce"), PrintedAtText(printedAt));
}

QStringList ConditionSheetFields()
{
    QStringList fields;
    for (const ValueField& field : ValueFields)
        fields.append(QLatin1String(field.field));
    return fields;
}

} // namespace rf::report
