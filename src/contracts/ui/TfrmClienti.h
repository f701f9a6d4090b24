#pragma once

#include "common/ui/FixedDialog.h"
#include "common/ui/ListWindow.h"
#include "contracts/CustomerRegister.h"

#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

namespace rf {

// Finds a returning customer: typing at least three characters of the name or the fiscal code
// lists the customers that hold them, newest rental first; choosing one (Enter or a double click
// on the line, or "Scegli") closes the dialog accepted with chosen().
class TfrmClienti : public FixedDialog {
    Q_OBJECT
public:
    TfrmClienti(Context& context, QWidget* owner, const Contracts::CustomerRegister& customers);

    // The customer chosen, once the dialog closed accepted.
    const std::optional<Contracts::Customer>& chosen() const { return m_chosen; }

    // The list line of a customer: name, fiscal code, town, date of the last rental, rentals.
    static QString lineOf(const Contracts::Customer& customer);

    void btnScegliClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The parts of the dialog, built in this order: the list under its column header (returned),
    // the count and the buttons (returns Chiudi), the search's keys, the layout and tab order.
    QLabel* buildList();
    QPushButton* buildButtons();
    void connectSearch();
    void layOut(QLabel* header, QPushButton* btnChiudi);
    void refresh();
    void choose(int row);

    const Contracts::CustomerRegister& m_customers;
    std::vector<const Contracts::Customer*> m_found;
    std::optional<Contracts::Customer> m_chosen;
    LineListModel m_model;
    QLineEdit* m_txtCerca = nullptr;
    QListView* m_lstClienti = nullptr;
    QLabel* m_lblTrovati = nullptr;
    QPushButton* m_btnScegli = nullptr;
};

} // namespace rf
