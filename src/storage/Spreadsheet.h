#pragma once

#include "storage/RecordScan.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace rf {

// A column's value in a record, appended to out as Windows-1252 bytes.
using ExportValue = std::function<void(const RecordView& record, std::string& out)>;

// How a column's cells are written: as text, or as numbers a sheet can add up. A number's cell holds
// it with a point for decimals ("1234.50"); a cell of a number column that is not a number ("n.d.")
// is written as text.
enum class CellKind { Text, Number };

// One column of an archive export: its header and width in the grid on screen, its header and
// width in the sheet written, and its value in a record.
struct ExportColumn {
    QString gridHeader;
    int gridWidth;
    QString header;
    int width;
    ExportValue value;
    int field = -1; // the record field when the value is that field alone, read without a call
    CellKind kind = CellKind::Text;
};

// A column value that is simply the named field of the record.
ExportValue fieldValue(const RecordLayout& layout, const char* name);
// A column showing the named field as it is.
ExportColumn fieldColumn(const QString& gridHeader, int gridWidth, const QString& header, int width,
                         const RecordLayout& layout, const char* name);

// The values of an export, row by row, held compactly: every cell in Windows-1252, one after the
// other, so that a hundred thousand rows of 25 cells take tens of megabytes, not hundreds.
class ExportTable {
public:
    explicit ExportTable(int columns) : m_columns(columns) {}
    // Makes room for rows of about bytesPerRow bytes, so filling does not copy as it grows.
    void reserve(qint64 rows, qint64 bytesPerRow);

    void addRow(const QStringList& cells);
    // One row of the columns' values in record.
    void addRow(const RecordView& record, const std::vector<ExportColumn>& columns);
    qint64 rowCount() const { return m_columns ? qint64(m_ends.size()) / m_columns : 0; }
    int columnCount() const { return m_columns; }
    QString cell(qint64 row, int column) const;
    // The cell's bytes as stored (Windows-1252), valid while the table lives.
    QByteArray cellBytes(qint64 row, int column) const;
    std::string_view cellView(qint64 row, int column) const;
    // Bytes held so far, for sizing the rest of a fill.
    qint64 byteCount() const { return qint64(m_bytes.size()); }
    // The bytes of all the cells of a row together.
    qint64 rowBytes(qint64 row) const
    {
        const std::size_t first = std::size_t(row * m_columns);
        return qint64(m_ends[first + std::size_t(m_columns) - 1]) -
               (first == 0 ? 0 : qint64(m_ends[first - 1]));
    }

private:
    int m_columns;
    std::string m_bytes; // appended to cell by cell, which a plain string does fastest
    std::vector<quint32> m_ends;
};

// Reads the whole archive into table, one row per record in file order, with the columns' values.
ScanResult fillExportTable(const QString& path, const RecordLayout& layout,
                           const std::vector<ExportColumn>& columns, ExportTable& table,
                           const ScanProgress& progress = {});

enum class WriteResult { Written, Failed, Cancelled, Link };

// Writes the table as a spreadsheet document: an HTML table with the office spreadsheet
// namespaces, one line in Windows-1252, the header row from the columns' sheet headers and widths,
// then one row per table row, each cell trimmed and with "&", "<" and ">" escaped; a number of a
// number column is typed as a number and shown with a decimal comma. The file is
// replaced only when complete: on failure or cancel the previous file, if any, stays as it was.
WriteResult writeSpreadsheet(const QString& path, const QString& worksheet,
                             const std::vector<ExportColumn>& columns, const ExportTable& table,
                             const ScanProgress& progress = {});

// The document writeSpreadsheet writes, whole, for a table small enough to hold twice.
QByteArray spreadsheetDocument(const QString& worksheet, const std::vector<ExportColumn>& columns,
                               const ExportTable& table);

} // namespace rf
