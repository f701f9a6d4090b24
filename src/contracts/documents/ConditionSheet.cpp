#include "ConditionSheet.h"

#include "ContractSheetParts.h"
#include "storage/Amounts.h"

namespace rf::Reports {
using namespace Sheet;
namespace {

// Every value printed on the sheet, in page order; each prints the contract's prefix for its field.
const ValueField ValueFields[] = {
    {"Data", {83, 21, 104, 4}, 9, false, false},
    {"Luogo", {83, 26.5, 104, 4}, 9, false, false},
    {"Ditta01", {2, 44.2, 185.9, 4}, 8, true, true},
    {"Ditta02", {2, 49, 185.9, 4}, 8, false, true},
    {"Cliente", {2, 64, 107, 4}, 8, false, false},
    {"CodFisc", {112.5, 64, 56, 4}, 8, false, false},
    {"Sesso", {171, 64, 17, 4}, 8, false, false},
    {"IndirizzoRes", {2, 70, 83, 4}, 8, false, false},
    {"ComuneRes", {87, 70, 65, 4}, 8, false, false},
    {"ProvRes", {154, 70, 15, 4}, 8, false, false},
    {"CapRes", {171, 70, 17, 4}, 7, false, false},
    {"Recapito", {2, 75.4, 51, 4}, 8, false, false},
    {"DataNasc", {55, 75.4, 41, 4}, 8, false, false},
    {"LuogoNasc", {98, 75.4, 71, 4}, 8, false, false},
    {"ProvNasc", {171, 75.4, 17, 4}, 8, false, false},
    {"TipoDoc", {2, 81, 34.2, 4}, 7, false, false},
    {"NumDoc", {38, 81, 32, 4}, 7, false, false},
    {"EnteRil", {72.5, 81, 51.5, 4}, 7, false, false},
    {"DataRil", {126.2, 81, 30, 4}, 7, false, false},
    {"DataSca", {158.4, 81, 30, 4}, 7, false, false},
    {"Minore", {2, 87, 57, 4}, 8, false, false},
    {"DataNascMin", {61, 86.8, 37, 4}, 8, false, false},
    {"LuogoNascMin", {100, 86.8, 69, 4}, 8, false, false},
    {"SessoMin", {171, 86.8, 17, 4}, 8, false, false},
    {"BiciNum", {2, 101, 49, 4}, 8, false, false},
    {"Marca", {53, 101, 98, 4}, 8, false, false},
    {"Taglia", {153, 101, 35, 4}, 8, false, false},
    {"Accessori", {2, 107, 185.5, 4}, 8, false, false},
    {"DataInizio", {2, 112.4, 36, 4}, 8, false, false},
    {"OraInizio", {40.5, 112.4, 29, 4}, 8, false, false},
    {"SedeRit", {72, 112.4, 116.5, 4}, 8, false, false},
    {"DataFine", {2, 118, 36, 4}, 8, false, false},
    {"OraFine", {40.5, 118, 29, 4}, 8, false, false},
    {"SedeRic", {72, 118, 88.5, 4}, 8, false, false},
    {"TotGiorni", {162.5, 118, 25.5, 4}, 8, false, false},
    {"Difetti", {2, 210, 185.9, 4}, 8, false, false},
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

std::vector<QRectF> cellRects()
{
    std::vector<QRectF> cells;
    for (const ValueField& field : ValueFields)
        cells.push_back(field.rect.units());
    return cells;
}

} // namespace

Report conditionSheet()
{
    Report report(QStringLiteral("Scheda Verifica Stato Bici"));
    report.addPage(QPageLayout::Portrait, QMarginsF(10, 10, 10, 10));

    // Boxes and bands first, so the texts are drawn over their fills.
    addFramedBox(report, QStringLiteral("shpTitolo"), {80, 1, 109, 9}, QColor::fromRgba(Lavender));
    addFramedBox(report, QStringLiteral("shpContratto"), {80, 13, 109, 20}, QColor::fromRgba(LightSteelBlue));
    const std::vector<QRectF> cells = cellRects();
    for (const Section& section : Sections)
        addSection(report, section, cells);
    addFramedBox(report, QStringLiteral("shpDanni"), {1, 124, 188, 76}, Qt::transparent);
    report.addLine(QStringLiteral("linDanni"), QPointF(mm(1), mm(129)), QPointF(mm(189), mm(129)), ThinLine);
    addFramedBox(report, QStringLiteral("shpCalce"), {1, 270, 188, 5.8}, QColor::fromRgba(Gold));

    report.addPicture(QStringLiteral("imgLogo"), Mm{1, 1, 75, 32}.units());

    addFixedText(report, "titPagamento", {83, 3.2, 104, 5}, "SCHEDA DI VERIFICA STATO VEICOLO",
                 arial(10, true));
    addFixedText(report, "txtTitolo", {83, 15.5, 104, 4}, "CONTRATTO DI NOLEGGIO BICICLETTE", arial(9, true));
    for (const ValueField& field : ValueFields)
        addValueObject(report, field);

    // The damage box: how to mark, the bicycle from both sides, the letter codes.
    addFixedText(report, "Memo1", {2, 124.7, 186, 3.5}, DamageHint, arial(7));
    addFixedText(report, "Memo3", {5, 131, 89, 5}, "LATO DESTRO", arial(10, true),
                 Qt::AlignHCenter | Qt::AlignVCenter);
    addFixedText(report, "Memo4", {96.6, 131, 89, 5}, "LATO SINISTRO", arial(10, true),
                 Qt::AlignHCenter | Qt::AlignVCenter);
    report.addPicture(QStringLiteral("Picture1"), Mm{5, 137.4, 89, 55}.units());
    report.addPicture(QStringLiteral("Picture2"), Mm{96.6, 137.4, 89, 55}.units());
    addFixedText(report, "Memo2", {2, 194, 186, 4.4}, DamageLegend, arial(8),
                 Qt::AlignHCenter | Qt::AlignVCenter);

    Object& notice = addFixedText(report, "txtRaccomandazioni", {2, 227, 185.9, 13}, ResponsibilityNotice,
                                  arial(6), Qt::AlignLeft | Qt::AlignTop);
    notice.wordWrap = true;

    addSignatures(report, 246, 262);
    addFixedText(report, "titPrivacy", {2, 264, 186, 3.5}, LaterCharges, arial(6));
    addFixedText(report, "txtCalce", {2, 271, 185.8, 4.2}, "", arial(8), Qt::AlignHCenter | Qt::AlignVCenter);
    return report;
}

QString printedAtText(const QDateTime& printedAt)
{
    return QStringLiteral("Stampa eseguita in data ") + formatDate(printedAt.date()) +
           QStringLiteral(" alle ore ") + printedAt.time().toString(QStringLiteral("HH:mm:ss"));
}

void fillConditionSheet(Report& report, const QImage& logo, const QImage& bikeLeft, const QImage& bikeRight,
                        const QDateTime& printedAt,
                        const std::function<QString(const QString& field)>& valueOf)
{
    report.setOrientation(QPageLayout::Portrait);
    report.setPicture(QStringLiteral("imgLogo"), logo);
    report.setPicture(QStringLiteral("Picture1"), bikeLeft);
    report.setPicture(QStringLiteral("Picture2"), bikeRight);
    for (const ValueField& field : ValueFields)
        fillValueObject(report, field, valueOf(QLatin1String(field.field)));
    report.setText(QStringLiteral("txtCalce"), printedAtText(printedAt));
}

QStringList conditionSheetFields()
{
    QStringList fields;
    for (const ValueField& field : ValueFields)
        fields.append(QLatin1String(field.field));
    return fields;
}

} // namespace rf::Reports
