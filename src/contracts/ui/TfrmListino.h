#pragma once

#include "common/ui/FixedDialog.h"
#include "contracts/PriceList.h"

#include <QStringList>

#include <optional>

class QPushButton;
class QTableWidget;

namespace rf {

// The price list: the tariffs with their six prices and deposit, and the seasons with their
// percentage, edited in two tables and written to Listino.ini by Salva. Ins adds a line to the
// table being worked in, Ctrl+Canc removes its current line; typing in a cell edits it, Enter
// ends the edit. Chiudi and Escape ask before leaving unsaved changes behind. A file that cannot
// be read is shown as an empty list and never saved over.
class TfrmListino : public FixedDialog {
    Q_OBJECT
public:
    TfrmListino(Context& context, QWidget* owner);

    // Whether the tables differ from the list as last read or saved.
    bool isEdited() const;
    void btnSalvaClick();

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QTableWidget* makeTable(const QString& name, const QStringList& headers);
    QWidget* buildTables();
    void buildButtons();
    void layOut(QWidget* tables);
    void showList(const PriceList::List& list);
    void addLine(QTableWidget* table);
    void removeLine(QTableWidget* table);
    // The list in the tables, or nothing after a warning that names the first wrong cell.
    std::optional<PriceList::List> collect();
    QStringList tableTexts() const;

    QTableWidget* m_grdTariffe = nullptr;
    QTableWidget* m_grdStagioni = nullptr;
    QPushButton* m_btnSalva = nullptr;
    QPushButton* m_btnChiudi = nullptr;
    bool m_readable = true;
    // The list as the file held it when last read or saved here: a save over another
    // workstation's newer list asks first.
    std::optional<PriceList::List> m_stored;
    bool m_toldUnreadable = false;
    QStringList m_savedTexts;
};

} // namespace rf
