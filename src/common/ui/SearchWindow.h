#pragma once

#include "common/ui/ListWindow.h"
#include "storage/TextSearch.h"

#include <vector>

class QFrame;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace rf {

// A list window that first asks what to look for: the filter panel panAvvio holds one edit for
// each filter (two to a row, Enter walking them in order, the last leading back to the first);
// "Cerca" lists every record of the archive that matches all the filters filled in and turns to
// the results panel (Ctrl+Enter does so from any filter). A new search needs the window to be
// opened again.
class SearchWindow : public ListWindow {
    Q_OBJECT
public:
    SearchWindow(Context& context, QWidget* owner, const Look& look, ListSource source,
                 const std::vector<SearchFilterDef>& filters, const QString& explanation);

    // The number of filters the last search used, as text ("0" before the first).
    QString lblConta = QStringLiteral("0");

    QLineEdit* filterEdit(const QString& name) const;
    void btnCercaClick();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    // The filter panel: the edits in their frame, each with its label in a cell, and the row of
    // Cerca and Chiudi.
    QWidget* buildFilters(const QString& explanation);
    QFrame* buildFilterFields();
    static QWidget* filterCell(const SearchFilterDef& definition, QLineEdit* edit);
    QHBoxLayout* buildSearchRow();

    struct Filter {
        QLineEdit* edit;
        int field;
    };
    const std::vector<SearchFilterDef>& m_definitions;
    std::vector<Filter> m_filters;
    QLabel* m_lblAttendere = nullptr;
    QWidget* m_panAvvio = nullptr;
    QPushButton* m_btnCerca = nullptr;
};

} // namespace rf
