#include "Spreadsheet.h"

#include "storage/CountedString.h"
#include "storage/Cp1252.h"
#include "storage/WholeFile.h"

#include <QFileInfo>

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

// Appends the cell trimmed and escaped, straight from the table's bytes.
void appendCell(QByteArray& out, const QByteArray& cell)
{
    const char* data = cell.constData();
    qsizetype start = 0;
    qsizetype end = cell.size();
    while (start < end && static_cast<unsigned char>(data[start]) <= 32)
        ++start;
    while (end > start && static_cast<unsigned char>(data[end - 1]) <= 32)
        --end;
    qsizetype plain = start;
    for (qsizetype i = start; i < end; ++i) {
        const char c = data[i];
        if (c != '&' && c != '<' && c != '>')
            continue;
        out.append(data + plain, i - plain);
        out += c == '&' ? "&amp;" : c == '<' ? "&lt;" : "&gt;";
        plain = i + 1;
    }
    out.append(data + plain, end - plain);
}

void appendRow(QByteArray& out, const ExportTable& table, qint64 row)
{
    out += "<tr>";
    for (int c = 0; c < table.columnCount(); ++c) {
        out += "<td style=\"text-align: left;\">";
        appendCell(out, table.cellBytes(row, c));
        out += "</td>";
    }
    out += "</tr>";
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

QString ExportTable::cell(qint64 row, int column) const
{
    return Cp1252::decode(cellBytes(row, column));
}

ScanResult fillExportTable(const QString& path, const RecordLayout& layout,
                           const std::vector<ExportColumn>& columns, ExportTable& table,
                           const ScanProgress& progress)
{
    table.reserve(QFileInfo(path).size() / layout.size(), 256);
    return scanArchive(
        path, layout, [&](const RecordView& record) { table.addRow(record, columns); }, progress);
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
