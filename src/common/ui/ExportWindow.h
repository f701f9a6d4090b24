#pragma once

#include "common/ui/FixedDialog.h"
#include "storage/Spreadsheet.h"

#include <QAbstractTableModel>

class QLabel;
class QTableView;

namespace rf {

// The grid of an export window: "N." and the row number, then the exported columns with their
// grid headers. Before any record is read it shows ten empty rows.
class ExportModel : public QAbstractTableModel {
    Q_OBJECT
public:
    ExportModel(const std::vector<ExportColumn>& columns, const ExportTable& table, QObject* parent = nullptr)
        : QAbstractTableModel(parent), m_columns(columns), m_table(table)
    {
    }
    void reload();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const std::vector<ExportColumn>& m_columns;
    const ExportTable& m_table;
};

// Where an export comes from and goes to.
struct ExportSource {
    QString archive;
    const RecordLayout& layout;
    const std::vector<ExportColumn>& columns;
    QString fileName; // in the program folder
    QString worksheet;
};

// A window that shows a whole archive in a grid, read once when the window is made, and writes it
// as a spreadsheet file in the program folder, which the user may then open at once.
class ExportWindow : public FixedDialog {
    Q_OBJECT
public:
    struct Look {
        QString objectName;
        QString caption;
        QString guideTitle;
        QStringList guide;
    };

    ExportWindow(Context& context, QWidget* owner, const Look& look, ExportSource source);

    const ExportTable& table() const { return m_table; }
    QTableView* grid() const { return m_grdRecords; }

    void cmdEsportaClick();
    void cmdGuidaClick();

private:
    Look m_look;
    ExportSource m_source;
    ExportTable m_table;
    ExportModel m_model;
    QTableView* m_grdRecords = nullptr;
    QLabel* m_panInfo = nullptr;
    bool m_incomplete = false; // the archive was not read to its end: nothing may be exported
};

} // namespace rf
