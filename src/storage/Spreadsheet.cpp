#include "Spreadsheet.h"

#include "storage/CountedString.h"
#include "storage/Cp1252.h"
#include "storage/SecondThread.h"
#include "storage/WholeFile.h"

#include <QFileInfo>

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <map>
#include <mutex>
#include <system_error>

namespace rf {

namespace {

constexpr qsizetype FlushBytes = 1 << 20;
constexpr qint64 ProgressEvery = 2048; // rows between two progress reports

constexpr qsizetype LongestEscape = 5; // "&amp;"

char* put(char* to, std::string_view text)
{
    std::memcpy(to, text.data(), text.size());
    return to + text.size();
}

// Writes text at to with "&", "<" and ">" escaped (room for LongestEscape bytes each is needed);
// returns the end of what was written.
char* putEscaped(char* to, std::string_view text)
{
    std::size_t plain = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '&' && c != '<' && c != '>')
            continue;
        to = put(to, text.substr(plain, i - plain));
        to = put(to, c == '&'   ? std::string_view("&amp;")
                     : c == '<' ? std::string_view("&lt;")
                                : std::string_view("&gt;"));
        plain = i + 1;
    }
    return put(to, text.substr(plain));
}

QByteArray escaped(const QByteArray& bytes)
{
    QByteArray out(bytes.size() * LongestEscape, Qt::Uninitialized);
    char* const end = putEscaped(out.data(), std::string_view(bytes.constData(), std::size_t(bytes.size())));
    out.truncate(qsizetype(end - out.data()));
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
// A number cell: the value typed for the sheet, then shown as written here, with a decimal comma.
constexpr std::string_view NumberStart = "<td style=\"text-align: right;\" x:num=\"";
constexpr std::string_view NumberMiddle = "\">";

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
    return putEscaped(to, std::string_view(data + start, std::size_t(end - start)));
}

// A plain decimal number: an optional minus, digits, and optionally a point and more digits.
bool isNumber(std::string_view cell)
{
    std::size_t i = !cell.empty() && cell[0] == '-' ? 1 : 0;
    const std::size_t digitsStart = i;
    while (i < cell.size() && cell[i] >= '0' && cell[i] <= '9')
        ++i;
    if (i == digitsStart)
        return false;
    if (i < cell.size() && cell[i] == '.') {
        const std::size_t decimals = ++i;
        while (i < cell.size() && cell[i] >= '0' && cell[i] <= '9')
            ++i;
        if (i == decimals)
            return false;
    }
    return i == cell.size();
}

std::string_view trimmed(std::string_view cell)
{
    while (!cell.empty() && static_cast<unsigned char>(cell.front()) <= 32)
        cell.remove_prefix(1);
    while (!cell.empty() && static_cast<unsigned char>(cell.back()) <= 32)
        cell.remove_suffix(1);
    return cell;
}

// Writes a number's cell at to; returns the end of what was written.
char* putNumber(char* to, std::string_view number)
{
    to = put(to, NumberStart);
    to = put(to, number);
    to = put(to, NumberMiddle);
    for (const char c : number)
        *to++ = c == '.' ? ',' : c;
    return put(to, CellEnd);
}

// Appends one row: the room its longest form could take is made once, the bytes are copied in and
// the rest is given back, so a row costs one size change instead of a hundred appends.
void appendRow(QByteArray& out, const ExportTable& table, const std::vector<ExportColumn>& columns,
               qint64 row)
{
    const qsizetype longest =
        qsizetype(RowStart.size() + RowEnd.size()) +
        table.columnCount() *
            qsizetype(std::max(CellStart.size(), NumberStart.size() + NumberMiddle.size()) + CellEnd.size()) +
        LongestEscape * table.rowBytes(row);
    const qsizetype at = out.size();
    out.resize(at + longest);
    char* to = put(out.data() + at, RowStart);
    for (int c = 0; c < table.columnCount(); ++c) {
        const std::string_view cell = table.cellView(row, c);
        const bool number = std::size_t(c) < columns.size() &&
                            columns[std::size_t(c)].kind == CellKind::Number && isNumber(trimmed(cell));
        if (number) {
            to = putNumber(to, trimmed(cell));
            continue;
        }
        to = put(to, CellStart);
        to = putCell(to, cell);
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
        appendRow(out, table, columns, row);
    out += DocumentEnd;
    return out;
}

namespace {

// The sheet's bytes, made a chunk of rows at a time by this thread and a second one together, and
// written in order by this one: while a chunk is written the next ones are being made, and when
// none is ready to be written this thread makes one itself.
class SheetChunks {
public:
    SheetChunks(const QString& worksheet, const std::vector<ExportColumn>& columns, const ExportTable& table)
        : m_worksheet(worksheet), m_columns(columns), m_table(table),
          m_chunks(int((table.rowCount() + RowsPerChunk - 1) / RowsPerChunk))
    {
        if (m_chunks == 0)
            m_chunks = 1; // the document's start and end alone
        // Without a second thread this one makes every chunk.
        if (m_chunks > 1)
            m_helper.start([this] { help(); });
    }
    ~SheetChunks() { stop(); }

    // Chunk number index, made here or waited for; index runs from 0 to count() − 1.
    QByteArray take(int index)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        for (;;) {
            const auto ready = m_ready.find(index);
            if (ready != m_ready.end()) {
                QByteArray chunk = std::move(ready->second);
                m_ready.erase(ready);
                m_changed.notify_all();
                return chunk;
            }
            if (m_nextToMake < m_chunks) {
                makeNext(lock);
                continue;
            }
            m_changed.wait(lock); // the chunk is being made by the helper
        }
    }
    // A chunk written: its memory makes a later chunk, so that no chunk's memory goes back to the
    // system and comes again (each time a cost to both cores).
    void giveBack(QByteArray chunk)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_free.push_back(std::move(chunk));
    }
    int count() const { return m_chunks; }
    // The rows written once chunks up to index are.
    qint64 rowsThrough(int index) const { return std::min(m_table.rowCount(), (index + 1) * RowsPerChunk); }

    void stop()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stopping = true;
        }
        m_changed.notify_all();
        m_helper.join();
    }

private:
    static constexpr qint64 RowsPerChunk = 1024;
    static constexpr std::size_t MostReady = 8; // chunks made ahead of the writing, at most

    // Makes the next chunk nobody has taken yet, outside the lock, in a written chunk's memory when
    // there is one, and puts it with the ready ones.
    void makeNext(std::unique_lock<std::mutex>& lock)
    {
        const int index = m_nextToMake++;
        QByteArray chunk;
        if (!m_free.empty()) {
            chunk = std::move(m_free.back());
            m_free.pop_back();
            chunk.resize(0); // keeps the memory
        }
        lock.unlock();
        make(index, chunk);
        lock.lock();
        m_ready.emplace(index, std::move(chunk));
        m_changed.notify_all();
    }

    void make(int index, QByteArray& chunk) const
    {
        chunk.reserve(FlushBytes + (FlushBytes >> 2));
        if (index == 0)
            chunk += documentStart(m_worksheet, m_columns);
        const qint64 end = rowsThrough(index);
        for (qint64 row = index * RowsPerChunk; row < end; ++row)
            appendRow(chunk, m_table, m_columns, row);
        if (index == m_chunks - 1)
            chunk += DocumentEnd;
    }

    void help()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        for (;;) {
            m_changed.wait(lock, [this] { return m_stopping || m_ready.size() < MostReady; });
            if (m_stopping || m_nextToMake >= m_chunks)
                return;
            makeNext(lock);
        }
    }

    const QString& m_worksheet;
    const std::vector<ExportColumn>& m_columns;
    const ExportTable& m_table;
    int m_chunks;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::map<int, QByteArray> m_ready;
    std::vector<QByteArray> m_free;
    int m_nextToMake = 0;
    bool m_stopping = false;
    SecondThread m_helper;
};

} // namespace

WriteResult writeSpreadsheet(const QString& path, const QString& worksheet,
                             const std::vector<ExportColumn>& columns, const ExportTable& table,
                             const ScanProgress& progress)
{
    WholeFileWriter file(path);
    if (!file.open())
        return file.problem() == WriteProblem::Link ? WriteResult::Link : WriteResult::Failed;
    const qint64 rows = table.rowCount();
    SheetChunks chunks(worksheet, columns, table);
    qint64 reported = 0;
    for (int index = 0; index < chunks.count(); ++index) {
        const qint64 done = index == 0 ? 0 : chunks.rowsThrough(index - 1);
        if (progress && (index == 0 || done - reported >= ProgressEvery)) {
            reported = done;
            if (!progress(done, rows)) {
                chunks.stop();
                file.cancel();
                return WriteResult::Cancelled;
            }
        }
        QByteArray chunk = chunks.take(index);
        if (!file.write(chunk)) {
            chunks.stop();
            return WriteResult::Failed;
        }
        chunks.giveBack(std::move(chunk));
    }
    if (!file.commit())
        return file.problem() == WriteProblem::Link ? WriteResult::Link : WriteResult::Failed;
    return WriteResult::Written;
}

} // namespace rf
