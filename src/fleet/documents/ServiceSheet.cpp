#include "ServiceSheet.h"

#include "fleet/documents/VehicleSheet.h"
#include "reports/Layout.h"
#include "reports/Palette.h"
#include "storage/Amounts.h"

#include <algorithm>
#include <array>
#include <utility>

namespace rf::Reports {
namespace {

// Everything below is in engine units from the printable area's top left corner, or its band's.
constexpr double Left = 3.8;
constexpr double Width = 710.6;
constexpr double Inset = 3.8;
constexpr double CaptionHeight = 18.1;
constexpr double BoxHeight = 22.7;
constexpr double HeadTop = 146.6;
constexpr double HeadHeight = 16;
constexpr double LogTop = 4;

const Font LogFont{QStringLiteral("Courier New"), 8};

struct FieldBox {
    const char* field;
    const char* caption;
    double left;
    double top;
    double width;
};

constexpr FieldBox Boxes[] = {
    {"BiciNum", "BICICLETTA N.", 3.8, 45.0, 170.0}, {"Marca", "MARCA E MODELLO", 181.6, 45.0, 340.0},
    {"Meccanico", "MECCANICO", 529.4, 45.0, 185.0}, {"Telaio", "TELAIO N.", 3.8, 93.8, 260.0},
    {"Taglia", "TAGLIA", 271.6, 93.8, 120.0},       {"Anno", "ANNO COSTRUZIONE", 399.4, 93.8, 150.0},
    {"Colore", "COLORE", 557.2, 93.8, 157.2},
};

// The log's columns in characters of the fixed-pitch font, two blanks apart: 102 characters in all,
// which the box holds with room to spare for the wider faces that may stand in for Courier New.
struct Column {
    const char* head;
    int width;
    bool right;
};
enum { DateColumn, WorkColumn, PartsColumn, MechanicColumn, KmColumn, CostColumn, ColumnCount };
constexpr Column Columns[ColumnCount] = {{"Data", 10, false},    {"Lavoro", 17, false},
                                         {"Ricambi", 28, false}, {"Meccanico", 19, false},
                                         {"Km", 7, true},        {"Costo", 11, true}};
constexpr int Gap = 2;
// What follows an entry's line (the workshop stay, the notes) starts under the work.
constexpr int NoteIndent = 10 + Gap;
constexpr int LineWidth = 10 + 17 + 28 + 19 + 7 + 11 + 5 * Gap;

QString valueObject(const QString& field)
{
    return QStringLiteral("txt") + field;
}

// text in lines of at most width characters, broken between words where it can be.
QStringList wrapped(const QString& text, int width)
{
    QStringList lines;
    QString line;
    for (QString word : text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        while (word.size() > width) { // a word longer than the column is cut
            if (!line.isEmpty())
                lines.append(std::exchange(line, QString()));
            lines.append(word.left(width));
            word = word.mid(width);
        }
        if (line.isEmpty())
            line = word;
        else if (line.size() + 1 + word.size() <= width)
            line += QLatin1Char(' ') + word;
        else
            lines.append(std::exchange(line, word));
    }
    if (!line.isEmpty())
        lines.append(line);
    return lines;
}

QString cell(const QString& text, const Column& column)
{
    return column.right ? text.rightJustified(column.width) : text.leftJustified(column.width);
}

// The columns side by side, each wrapped in its width, as many lines as the longest needs.
QStringList row(const std::array<QStringList, ColumnCount>& cells)
{
    int height = 1;
    for (const QStringList& lines : cells)
        height = std::max(height, int(lines.size()));
    QStringList lines;
    for (int i = 0; i < height; ++i) {
        QStringList parts;
        for (int c = 0; c < ColumnCount; ++c)
            parts.append(cell(cells[std::size_t(c)].value(i), Columns[c]));
        QString line = parts.join(QString(Gap, QLatin1Char(' ')));
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        lines.append(line);
    }
    return lines;
}

QString stayText(const Service::Entry& entry)
{
    if (!entry.workshopFrom.isValid() && !entry.workshopTo.isValid())
        return {};
    const QDate from = entry.workshopFrom.isValid() ? entry.workshopFrom : entry.workshopTo;
    const QDate to = entry.workshopTo.isValid() ? std::max(entry.workshopTo, from) : from;
    if (from == to)
        return QStringLiteral("In officina ") + onDateText(from) + QLatin1Char('.');
    return QStringLiteral("In officina ") + fromDateText(from) + QStringLiteral(" al ") + formatDate(to) +
           QLatin1Char('.');
}

QStringList entryLines(const Service::Entry& entry)
{
    const auto fit = [](const QString& text, int column) { return wrapped(text, Columns[column].width); };
    const QString cost = entry.cost.trimmed().isEmpty() ? QString() : euroText(entry.costCents());
    QStringList lines =
        row({QStringList{entry.date.isValid() ? formatDate(entry.date) : QString()},
             fit(entry.work, WorkColumn), fit(entry.parts, PartsColumn), fit(entry.mechanic, MechanicColumn),
             fit(entry.km, KmColumn), QStringList{cost}});
    QString after = stayText(entry);
    if (!entry.notes.trimmed().isEmpty())
        after += (after.isEmpty() ? QString() : QStringLiteral(" ")) + QStringLiteral("Note: ") +
                 entry.notes.trimmed();
    const QString indent(NoteIndent, QLatin1Char(' '));
    for (const QString& line : wrapped(after, LineWidth - NoteIndent))
        lines.append(indent + line);
    return lines;
}

QString headLine()
{
    QStringList parts;
    for (const Column& column : Columns)
        parts.append(cell(QString::fromLatin1(column.head), column));
    return parts.join(QString(Gap, QLatin1Char(' '))).trimmed();
}

void addVehicleBoxes(Report& report)
{
    const QColor blue = QColor::fromRgba(RoyalBlue);
    for (const FieldBox& box : Boxes) {
        const QString field = QString::fromLatin1(box.field);
        Object& caption =
            report.addText(QStringLiteral("tit") + field, QRectF(box.left, box.top, box.width, CaptionHeight),
                           QString::fromLatin1(box.caption), arial(8, true));
        caption.fill = blue;
        caption.colour = Qt::white;
        caption.padding = Inset;
        Object& value = report.addText(valueObject(field),
                                       QRectF(box.left, box.top + CaptionHeight, box.width, BoxHeight),
                                       QString(), arial(8));
        value.frame = blue;
        value.frameWidth = 1;
        value.padding = Inset;
    }
}

} // namespace

const QStringList& serviceSheetFields()
{
    static const QStringList fields = [] {
        QStringList names;
        for (const FieldBox& box : Boxes)
            names.append(QString::fromLatin1(box.field));
        return names;
    }();
    return fields;
}

Report serviceSheet()
{
    const QColor blue = QColor::fromRgba(RoyalBlue);
    Report report(QStringLiteral("Scheda manutenzioni"));
    report.addPage(QPageLayout::Portrait, QMarginsF(10, 10, 10, 10));

    report.addBand(QStringLiteral("Intestazione"), BandType::Title, 0, HeadTop + HeadHeight);
    Object& title =
        report.addText(QStringLiteral("titScheda"), QRectF(Left, 3.8, Width, 30.2),
                       QStringLiteral("SCHEDA MANUTENZIONI"), arial(12), Qt::AlignHCenter | Qt::AlignVCenter);
    title.fill = blue;
    title.colour = Qt::white;
    addVehicleBoxes(report);
    Object& head = report.addText(QStringLiteral("txtColonne"), QRectF(Left, HeadTop, Width, HeadHeight),
                                  headLine(), Font{LogFont.family, LogFont.points, true});
    head.fill = QColor::fromRgba(Style::HeaderFill);
    head.frame = blue;
    head.frameWidth = 1;
    head.padding = Inset;

    report.addBand(QStringLiteral("Interventi"), BandType::MasterData, 0, 0);
    Object& log = report.addText(QStringLiteral("txtInterventi"), QRectF(Left, LogTop, Width, 0), QString(),
                                 LogFont, Qt::AlignLeft | Qt::AlignTop);
    log.padding = Inset;

    report.addBand(QStringLiteral("Totali"), BandType::Footer, 0, 52);
    Object& totals = report.addText(QStringLiteral("txtTotali"), QRectF(Left, 8, Width, BoxHeight), QString(),
                                    arial(9, true));
    totals.frame = blue;
    totals.frameWidth = 1;
    totals.padding = Inset;
    Object& printed = report.addText(QStringLiteral("txtStampa"), QRectF(Left, 34, Width, 14),
                                     QStringLiteral("Stampa eseguita in data [DATE]"), arial(7),
                                     Qt::AlignRight | Qt::AlignVCenter);
    printed.expressions = true;
    return report;
}

QStringList serviceSheetLines(const std::vector<Service::Entry>& entries)
{
    QStringList lines;
    for (const Service::Entry& entry : entries) {
        if (!lines.isEmpty())
            lines.append(QString()); // entries set apart, so a line under one is not read as the next's
        lines += entryLines(entry);
    }
    if (lines.isEmpty())
        lines.append(QStringLiteral("Nessun intervento registrato."));
    return lines;
}

void fillServiceSheet(Report& report, const std::function<QString(const QString& field)>& valueOf,
                      const std::vector<Service::Entry>& entries)
{
    report.setOrientation(QPageLayout::Portrait);
    for (const QString& field : serviceSheetFields())
        report.setText(valueObject(field), valueOf(field).trimmed());
    const QStringList lines = serviceSheetLines(entries);
    report.clearLines(QStringLiteral("txtInterventi"));
    for (const QString& line : lines)
        report.appendLine(QStringLiteral("txtInterventi"), line);
    const double height = lines.size() * lineHeight(LogFont);
    report.setHeight(QStringLiteral("txtInterventi"), height);
    report.setHeight(QStringLiteral("Interventi"), LogTop + height + 4);
    report.setText(QStringLiteral("txtTotali"), Service::totalsText(Service::totalsOf(entries)));
}

} // namespace rf::Reports
