#pragma once

#include "common/ui/FixedDialog.h"
#include "common/ui/ListWindow.h"
#include "common/ui/ShownCard.h"
#include "fleet/ServiceLog.h"

#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

namespace rf {

// The workshop log of one vehicle: its entries, newest first, and a form below them where an
// entry is written, changed or removed. The card it is opened for gives the vehicle's number, its
// make and the mechanic a new entry starts with; the whole card is printed on the log's sheet.
class TfrmManutenzioni : public FixedDialog {
    Q_OBJECT
public:
    TfrmManutenzioni(Context& context, QWidget* owner, const ShownCard& card);

    // The entries on show, in list order.
    const std::vector<Service::Entry>& entries() const { return m_entries; }
    // The entry the form holds for a change; none while it holds a new one.
    const std::optional<Service::Entry>& editing() const { return m_editing; }

    void cmdNuovoClick();
    void cmdSalvaClick();
    void cmdEliminaClick();
    void cmdStampaClick();
    // Loads the entry of the list line at row into the form, as Enter or a double click does.
    void openLine(int row);

protected:
    void showEvent(QShowEvent* event) override;
    // Leaving with a form whose edits were not saved asks first.
    void done(int result) override;

private:
    QWidget* buildHeader();
    QWidget* buildForm();
    QLayout* buildButtons();
    QLineEdit* makeEdit(const QString& field);
    void setKeyboardOrder();
    QStringList kinds(const std::vector<Service::Entry>& whole) const;

    // Reads the vehicle's entries again and shows them, selecting the entry at position if any.
    bool reload(qint64 select = 0);
    // Shows the entries of a read of the vehicle's log, with the entry at select picked.
    bool showLog(const Service::Log& log, qint64 select = 0);
    void showEntry(const Service::Entry& entry);
    QStringList formTexts() const;
    void markFormClean();
    // True when the form holds nothing unsaved, or the user agrees to leave it.
    bool mayLeaveForm();
    // The entry the form describes, or nothing after a warning about the first field that is wrong.
    std::optional<Service::Entry> formEntry();
    bool refuse(const QString& message, QWidget* focus);
    bool readDate(QLineEdit* edit, const QString& what, bool required, QDate& date);

    ShownCard m_card;
    QString m_number; // trimmed
    std::vector<Service::Entry> m_entries;
    std::optional<Service::Entry> m_editing;
    QStringList m_cleanForm;

    LineListModel m_model;
    QListView* m_lstRecords = nullptr;
    QLabel* m_lblTotali = nullptr;
    QLabel* m_lblModo = nullptr;
    QLineEdit* m_txtData = nullptr;
    QComboBox* m_cboLavoro = nullptr;
    QLineEdit* m_txtRicambi = nullptr;
    QLineEdit* m_txtMeccanico = nullptr;
    QLineEdit* m_txtCosto = nullptr;
    QLineEdit* m_txtKm = nullptr;
    QLineEdit* m_txtNote = nullptr;
    QLineEdit* m_txtOfficinaDal = nullptr;
    QLineEdit* m_txtOfficinaAl = nullptr;
    QPushButton* m_cmdNuovo = nullptr;
    QPushButton* m_cmdSalva = nullptr;
    QPushButton* m_cmdElimina = nullptr;
    QPushButton* m_cmdStampa = nullptr;
    QPushButton* m_cmdChiudi = nullptr;
};

} // namespace rf
