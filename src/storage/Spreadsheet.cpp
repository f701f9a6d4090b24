#include "Spreadsheet.h"

#include "storage/CountedString.h"
#include "storage/Cp1252.h"
#include "storage/WholeFile.h"

#include <QFileInfo>

#include <algorithm>
#include <cstring>

namespace rf {

namespace {

constexpr qsizetype FlushBytes = 1 << 20;
constexpr qint64 ProgressEvery = 2048; // rows between two progress reports

QByteArray escaped(const QByteArray& bytes)
{
    if (!bytes.contains('&') && !bytes.contains('<') && !bytes.contains('>'))
        return bytes;
    QByteArray out;
    out.reserve(bytes.size() + 16);
    for (const char c : bytes) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else
            out += c;
    }
    return out;
}

QByteArray documentStart(const QString& worksheet, const std::vector<ExportColumn>& columns)
{
    QByteArray out;
    out += "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
           "xmlns:x=\"urn:schemas-microsoft-com:office:excel\" xmlns=\"http://www.w3.org/TR/REC-html40\">";
    out += "<head>";
    out += "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">";
    out += "<!--[if gte mso 9]><xml>";
    out += "<x:ExcelWorkbook>";
    out += "<x:ExcelWorksheets>";
    out += "<x:ExcelWorksheet>";
    out += "<x:Name>" + escaped(Cp1252::encode(worksheet)) + "</x:Name>";
    out += "<x:WorksheetOptions>";
    out += "<x:Selected/>";
    out += "<x:Panes>";
    out += "<x:Pane>";
    out += "<x:Number>1</x:Number>";
    out += "<x:ActiveRow>3</x:ActiveRow>";
    out += "</x:Pane>";
    out += "</x:Panes>";
    out += "<x:ProtectContents>False</x:ProtectContents>";
    out += "<x:ProtectObjects>False</x:ProtectObjects>";
    out += "<x:ProtectScenarios>False</x:ProtectScenarios>";
    out += "</x:WorksheetOptions>";
    out += "</x:ExcelWorksheet>";
    out += "</x:ExcelWorksheets>";
    out += "</x:ExcelWorkbook>";
    out += "</xml><![endif]-->";
    out += "</head>";
    out += "<body>";
    out += "<table x:str>";
    out += "<tr>";
    for (const ExportColumn& column : columns) {
        out += "<td style=\"text-align: left; font-weight: bold;\" width=";
        out += QByteArray::number(column.width);
        out += ">";
        out += escaped(Cp1252::encode(column.header));
        out += "</td>";
    }
    out += "</tr>";
    return out;
}

constexpr std::string_view RowStart = "<tr>";
constexpr std::string_view RowEnd = "</tr>";
constexpr std::string_view CellStart = "<td style=\"text-align: left;\">";
constexpr std::string_view CellEnd = "</td>";
constexpr qsizetype LongestEscape = 5; // "&amp;"

char* put(char* to, std::string_view text)
{
    std::memcpy(to, text.data(), text.size());
    return to + text.size();
}

// Writes the cell trimmed and escaped at to; returns the end of what was written.
char* putCell(char* to, std::string_view cell)
{
    const char* data = cell.data();
    qsizetype start = 0;
    auto end = qsizetype(cell.size());
    while (start < end && static_cast<unsigned char>(data[start]) <= 32)
        ++start;
    while (end > start && static_cast<unsigned char>(data[end - 1]) <= 32)
        --end;
    qsizetype plain = start;
    for (qsizetype i = start; i < end; ++i) {
        const char c = data[i];
        if (c != '&' && c != '<' && c != '>')
            continue;
        to = put(to, std::string_view(data + plain, std::size_t(i - plain)));
        to = put(to, c == '&'   ? std::string_view("&amp;")
                     : c == '<' ? std::string_view("&lt;")
                                : std::string_view("&gt;"));
        plain = i + 1;
    }
    return put(to, std::string_view(data + plain, std::size_t(end - plain)));
}

// Appends one row: the room its longest form could take is made once, the bytes are copied in and
// the rest is given back, so a row costs one size change instead of a hundred appends.
void appendRow(QByteArray& out, const ExportTable& table, qint64 row)
{
    qsizetype longest = qsizetype(RowStart.size() + RowEnd.size());
    for (int c = 0; c < table.columnCount(); ++c)
        longest += qsizetype(CellStart.size() + CellEnd.size()) +
                   LongestEscape * qsizetype(table.cellView(row, c).size());
    const qsizetype at = out.size();
    out.resize(at + longest);
    char* to = put(out.data() + at, RowStart);
    for (int c = 0; c < table.columnCount(); ++c) {
        to = put(to, CellStart);
        to = putCell(to, table.cellView(row, c));
        to = put(to, CellEnd);
    }
    to = put(to, RowEnd);
    out.resize(to - out.constData());
}

const QByteArray DocumentEnd = "</table></body></html>";

} // namespace

ExportValue fieldValue(const RecordLayout& layout, const char* name)
{
    const int index = layout.indexOf(QLatin1String(name));
    Q_ASSERT_X(index >= 0, "FieldValue", name);
    return [index](const RecordView& record, std::string& out) {
        const QByteArray bytes = record.fieldBytes(index);
        out.append(bytes.constData(), std::size_t(bytes.size()));
    };
}

ExportColumn fieldColumn(const QString& gridHeader, int gridWidth, const QString& header, int width,
                         const RecordLayout& layout, const char* name)
{
    return {
        gridHeader, gridWidth, header, width, fieldValue(layout, name), layout.indexOf(QLatin1String(name))};
}

void ExportTable::reserve(qint64 rows, qint64 bytesPerRow)
{
    m_ends.reserve(std::size_t(rows * m_columns));
    m_bytes.reserve(std::size_t(rows * bytesPerRow));
}

void ExportTable::addRow(const RecordView& record, const std::vector<ExportColumn>& columns)
{
    for (const ExportColumn& column : columns) {
        if (column.field >= 0) {
            const QByteArray bytes = record.fieldBytes(column.field);
            m_bytes.append(bytes.constData(), std::size_t(bytes.size()));
        } else {
            column.value(record, m_bytes);
        }
        m_ends.push_back(quint32(m_bytes.size()));
    }
}

void ExportTable::addRow(const QStringList& cells)
{
    for (int c = 0; c < m_columns; ++c) {
        const QByteArray bytes = Cp1252::encode(cells.value(c));
        m_bytes.append(bytes.constData(), std::size_t(bytes.size()));
        m_ends.push_back(quint32(m_bytes.size()));
    }
}

QByteArray ExportTable::cellBytes(qint64 row, int column) const
{
    const std::size_t i = std::size_t(row * m_columns + column);
    const quint32 start = i == 0 ? 0 : m_ends[i - 1];
    return QByteArray::fromRawData(m_bytes.data() + start, qsizetype(m_ends[i] - start));
}

std::string_view ExportTable::cellView(qint64 row, int column) const
{
    const std::size_t i = std::size_t(row * m_columns + column);
    const quint32 start = i == 0 ? 0 : m_ends[i - 1];
    return std::string_view(m_bytes.data() + start, m_ends[i] - start);
}

QString ExportTable::cell(qint64 row, int column) const
{
    return Cp1252::decode(cellBytes(row, column));
}

ScanResult fillExportTable(const QString& path, const RecordLayout& layout,
                           const std::vector<ExportColumn>& columns, ExportTable& table,
                           const ScanProgress& progress)
{
    // Room for every row is made once the first rows show how long a row of this archive is.
    constexpr qint64 SampleRows = 512;
    const qint64 rows = QFileInfo(path).size() / layout.size();
    table.reserve(std::min(rows, SampleRows), 256);
    return scanArchive(
        path, layout,
        [&](const RecordView& record) {
            table.addRow(record, columns);
            if (table.rowCount() == SampleRows && rows > SampleRows)
                table.reserve(rows, table.byteCount() / SampleRows + table.byteCount() / SampleRows / 8 + 1);
        },
        progress);
}

QByteArray spreadsheetDocument(const QString& worksheet, const std::vector<ExportColumn>& columns,
                               const ExportTable& table)
{
    QByteArray out = documentStart(worksheet, columns);
    for (qint64 row = 0; row < table.rowCount(); ++row)
        appendRow(out, table, row);
    out += DocumentEnd;
    return out;
}

WriteResult writeSpreadsheet(const QString& path, const QString& worksheet,
                             const std::vector<ExportColumn>& columns, const ExportTable& table,
                             const ScanProgress& progress)
{
    WholeFileWriter file(path);
    if (!file.open())
        return file.problem() == WriteProblem::Link ? WriteResult::Link : WriteResult::Failed;
    QByteArray chunk = documentStart(worksheet, columns);
    chunk.reserve(FlushBytes + (FlushBytes >> 2));
    const qint64 rows = table.rowCount();
    for (qint64 row = 0; row < rows; ++row) {
        if (progress && row % ProgressEvery == 0 && !progress(row, rows)) {
            file.cancel();
            return WriteResult::Cancelled;
        }
        appendRow(chunk, table, row);
        if (chunk.size() >= FlushBytes) {
            if (!file.write(chunk))
                return WriteResult::Failed;
            chunk.resize(0); // keeps the buffer for the next rows
        }
    }
    chunk += DocumentEnd;
    if (!file.write(chunk) || !file.commit())
        return file.problem() == WriteProblem::Link ? WriteResult::Link : WriteResult::Failed;
    return WriteResult::Written;
}

} // namespace rf
