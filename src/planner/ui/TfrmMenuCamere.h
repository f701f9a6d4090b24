#pragma once

#include "common/ui/ListWindow.h"
#include "common/ui/WorkWindow.h"
#include "planner/PlanningFile.h"
#include "planner/ui/BoardView.h"

#include <functional>
#include <optional>

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

namespace rf {

class SvgPicture;

// The planner entry: the user types a year, picks a vehicle of the fleet and presses Apri, which
// hands the planning of that vehicle and year to the grid.
class TfrmMenuCamere : public WorkWindow {
    Q_OBJECT
public:
    explicit TfrmMenuCamere(Context& context, QWidget* parent = nullptr);

    // Where closing leads: back to the launcher, or on to the grid after Apri.
    enum class Next { Launcher, Planning };
    Next lblMemory = Next::Launcher;
    // The vehicle last picked in the list (empty after each show) and the file Apri chose.
    QString lblBiciNum, lblMarca, lblColore, lblTaglia;
    QString lblFile;

    PlanningTarget target() const;
    const LineListModel& vehicles() const { return m_model; }

    void btnApriFattureClick();
    void btnDisponibilitaClick();
    // The booking board; a vehicle asked for there opens in the grid, as Apri does, and closing
    // that grid comes back to the board where it was (returnsToBoard, reopenBoard).
    void btnTabelloneClick();
    bool returnsToBoard() const { return m_boardPlace.has_value(); }
    // How the service log of a vehicle (its fleet card position) is opened over a window; the
    // board's Manutenzioni asks for it, and the board comes back where it was when it closes.
    void setServiceLogOpener(std::function<void(QWidget* owner, qint64 cardPosition)> opener)
    {
        m_openServiceLog = std::move(opener);
    }
    void reopenBoard();
    // Opens the planning of the vehicle of the fleet card at cardPosition for year, as picking its
    // line and pressing Apri does.
    void openVehicle(qint64 cardPosition, const QString& year);
    void imgGuidaClick();
    // Takes the vehicle of the list line at row, as clicking it does.
    void pickVehicle(int row);

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The year, Apri and the buttons beside them; the guide and exit buttons.
    QHBoxLayout* buildYearRow();
    QHBoxLayout* buildCommandRow();
    void fillList();

    LineListModel m_model;
    std::function<void(QWidget*, qint64)> m_openServiceLog;
    QLineEdit* m_txtAnnoFatture = nullptr;
    QPushButton* m_btnApriFatture = nullptr;
    QListView* m_lstRecords = nullptr;
    SvgPicture* m_icoMano = nullptr;
    std::optional<BoardPlace> m_boardPlace; // the board to come back to after the grid
};

} // namespace rf
