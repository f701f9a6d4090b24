#pragma once

#include "common/ui/WorkWindow.h"
#include "fleet/ServiceLog.h"
#include "planner/PlanningFile.h"
#include "planner/ui/PlanningPrint.h"

#include <array>
#include <vector>

class QLabel;
class QLineEdit;

namespace rf {

class DayTile;

// The annual planning grid of one vehicle: twelve month rows of day tiles, red when the day is
// booked, lavender when it is free. The bookings are read from the planning file when the grid is
// shown and written back, merged with what another workstation saved meanwhile, when it closes.
class TfrmPlanning : public WorkWindow {
    Q_OBJECT
public:
    explicit TfrmPlanning(Context& context, QWidget* parent = nullptr);

    // The vehicle, year and file the entry window chose; read each time the grid is shown.
    void setTarget(const PlanningTarget& target);

    const Planning::Days& days() const { return m_days; }
    bool isBooked(int slot) const { return !m_days[std::size_t(slot)].trimmed().isEmpty(); }
    // Whether the bookings were read from a file this grid may write: only then can days be booked.
    bool isSaveable() const
    {
        return m_loadedStatus == Planning::Loaded::Status::Read ||
               m_loadedStatus == Planning::Loaded::Status::Empty;
    }
    // The position of the planning record ("1" while the grid is shown).
    QString lblPosizione;

    void dayClick(int slot);
    void cmdIntervalloClick();
    void cmdRiepilogoClick();
    void cmdGuidaClick();
    // Sets a day's text (trimmed) and its tiles.
    void setDay(int slot, const QString& text);
    // "Bici n. " + number + "  " + make: the vehicle line of the booking dialogs.
    QString vehicleLine() const;
    QString year() const { return m_target.year; }
    QStringList summaryLines() const;
    // The grid as the print and preview dialogs show it.
    ShownPlanning shownPlanning() const;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool beforeClose() override;

private:
    void buildWindow();
    QWidget* buildStatusStrip();
    QWidget* buildCommandBar();
    QWidget* buildVehicleBand();
    void buildMonthRows();
    void place(QWidget* widget, const QRect& designRect);
    void reset();
    void load();
    // Saves merged with what is stored; false when the user chose to keep the grid open.
    bool save();
    void placeCanvas();
    // Whether what is booked here can be stored: when not, the grid only shows the bookings.
    // Enables the tiles and Intervallo as isSaveable() says, and shows notice on the status strip.
    void showSaveable(const QString& notice = QString());
    // Whether days the vehicle spends in the workshop may be booked all the same: the user is
    // asked, naming the stay; true when none of the days is one.
    bool workshopAgreed(const QDate& first, const QDate& last);

    PlanningTarget m_target;
    Planning::Days m_days;
    Planning::Days m_loaded; // as read, to tell this grid's changes from another workstation's
    Planning::Loaded::Status m_loadedStatus = Planning::Loaded::Status::Empty;
    QString m_lastSummarySearch;
    std::vector<Service::Entry> m_workshop; // the vehicle's service entries, read with its days

    QWidget* m_canvas = nullptr;
    std::vector<std::pair<QWidget*, QRect>> m_placed; // children of the canvas at their design places
    std::array<DayTile*, Planning::DayCount> m_free{};
    std::array<DayTile*, Planning::DayCount> m_booked{};
    QLineEdit* m_txtBiciNum = nullptr;
    QLineEdit* m_txtMarca = nullptr;
    QLineEdit* m_txtColore = nullptr;
    QLineEdit* m_txtTaglia = nullptr;
    QLabel* m_txtAnno = nullptr;
    QWidget* m_cmdIntervallo = nullptr;
    QLabel* m_lblAvviso = nullptr; // stays in the status strip while the grid cannot be saved
};

} // namespace rf
