#pragma once

#include "common/ui/CardWindow.h"
#include "common/ui/PlannerBooking.h"

#include <functional>
#include <map>
#include <optional>
#include <string>

class QCheckBox;
class QKeySequence;
class QPushButton;

namespace rf {

namespace Contracts {
struct Customer;
}

// The rental contracts work area: one contract at a time, saved in the contract archive at the
// position shown in lblPosizione (empty for a new contract). The eight company defaults come from
// the settings file when the window is shown and go back to it when the window closes.
class TfrmContratti_Noleggio_Bici : public CardWindow {
    Q_OBJECT
public:
    explicit TfrmContratti_Noleggio_Bici(Context& context, QWidget* parent = nullptr);

    // Runs the vehicle search for this window and gives the chosen vehicle card's texts, or nothing.
    using VehiclePicker = std::function<std::optional<QStringList>(QWidget* owner)>;
    void setVehiclePicker(VehiclePicker picker) { m_vehiclePicker = std::move(picker); }
    // Offers a saved contract's days to the planner.
    void setPlannerBooker(PlannerBooker booker) { m_plannerBooker = std::move(booker); }
    // Opens the season's statistics, which read more than the contracts; until it is given the
    // command does nothing.
    void setStatisticsOpener(std::function<void(QWidget* owner)> opener)
    {
        m_statisticsOpener = std::move(opener);
    }
    // The vehicle, dates and booking text shown, or nothing when one of them is missing.
    std::optional<ContractDays> shownDays() const;

    bool returned() const;

    void cmdNuovoClick() override;
    void cmdDuplicaClick() override;
    void cmdSalvaClick() override;
    void cmdTrovaClick();
    void cmdGuidaClick();
    // Takes the vehicle and tariff fields of a card chosen in the vehicle search.
    void btnImportaClick();
    void cmdCalcolaClick();
    void btnLogoClick();
    void btnCodFiscClick();
    // Finds a returning customer among the contracts in the archive and takes their customer fields.
    void btnClienteClick();
    // Opens the date picker for one of the three date edits (Data, DataInizio, DataFine) and writes
    // the date imported there.
    // A date can be typed there: firstKey, the key that opened the picker, begins it.
    void openDatePicker(const QString& field, const QString& firstKey = {});

protected:
    void showEvent(QShowEvent* event) override;
    bool beforeClose() override;
    QStringList ownTexts() const override;
    void showOwnTexts(const QStringList& texts) override;
    int ownFieldCount() const override { return 1; }

private:
    void buildWindow();
    QWidget* buildToolbar();
    QWidget* buildHeader();
    QWidget* buildBody();
    // A button beside a field, with its hint and its shortcut; the buttons of the card's fields by
    // field name; the "Riconsegnato" box.
    QPushButton* fieldCommand(const QString& name, const QString& text, const QString& hint,
                              const QKeySequence& keys, const std::function<void()>& action);
    std::map<std::string, QWidget*> buildFieldCommands();
    void buildReturnedBox();
    void clearCard();
    void stampToday();
    bool archiveReachable();
    void readDefaults();
    // Writes the customer block, and nothing else, as if typed.
    void takeCustomer(const Contracts::Customer& customer);
    // Enter in Bicicletta n.: fills the vehicle and tariff from the one fleet card of that number
    // and goes on to the dates; false (nothing filled) when no single card has that number, after
    // warning that the code is not a fleet number when the fleet has no card with it.
    bool takeVehicleByNumber();
    // Calcola with a tariff of the price list: proposes the total and deposit, asking before it
    // replaces an amount the clerk typed, and tells the reckoning on the status strip; false (nothing
    // done) when the list has no price for the contract.
    bool takeListPrice();
    void offerListAmount(const QString& field, qint64 cents, const QString& what);

    QCheckBox* m_chkRiconsegnato = nullptr;
    VehiclePicker m_vehiclePicker;
    PlannerBooker m_plannerBooker;
    std::function<void(QWidget* owner)> m_statisticsOpener;
    std::optional<ContractDays> m_storedDays; // of the contract as last read or saved
    std::map<QString, QString> m_autoFilled;  // fields the last Enter in BiciNum filled, as it left them
    std::map<QString, QString> m_listFilled;  // amounts the price list last filled, as it left them
};

} // namespace rf
