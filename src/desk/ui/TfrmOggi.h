#pragma once

#include "common/ui/FixedDialog.h"
#include "common/ui/ListWindow.h"

#include <QHash>

#include <array>

class QGridLayout;
class QLabel;
class QLineEdit;
class QListView;

namespace rf {

// The day's work at a glance: the contracts still out, those due back today, those late (in red),
// the planner's pickups of today with no contract yet and the vehicles with workshop work due,
// each list with its count. Enter or a double click on a line closes the window asking for that
// contract's card, for the vehicle's yearly grid (a pickup) or for its fleet card (work due)
// (chosen()); "Riconsegnato" marks the contract of the selected line returned, after a
// confirmation.
class TfrmOggi : public FixedDialog {
    Q_OBJECT
public:
    TfrmOggi(Context& context, QWidget* owner);

    enum class List { Out, DueToday, Late, Pickups, Service };
    static constexpr int ListCount = 5;

    // What the user asked for: a contract (its position in the archive), a vehicle's grid of the
    // year of today (Vehicle) or a vehicle's card (FleetCard); a vehicle by its fleet card's
    // position.
    struct Choice {
        enum class Kind { None, Contract, Vehicle, FleetCard } kind = Kind::None;
        qint64 position = 0;
    };
    const Choice& chosen() const { return m_chosen; }

    const LineListModel& lines(List list) const { return m_models[std::size_t(list)]; }
    QListView* listView(List list) const { return m_lists[std::size_t(list)]; }

    // Reads the day's work again.
    void reload();
    // A code read at the counter (a hand scanner types it and Enter into txtScansione): a vehicle
    // out has its contract selected and Riconsegnato takes the focus, so Enter marks it returned
    // after the usual question; a pickup of today has its booking selected; any other code is
    // told.
    void scan(const QString& code);
    void btnRiconsegnaClick();

private:
    QGridLayout* buildLists();
    void choose(List list, int row);
    // The contract list and line the user is on: the line chosen last, in whichever list.
    std::pair<List, int> currentContract() const;

    std::array<LineListModel, ListCount> m_models;
    std::array<QListView*, ListCount> m_lists{};
    std::array<QLabel*, ListCount> m_titles{};
    QLineEdit* m_txtScansione = nullptr;
    QWidget* m_btnRiconsegna = nullptr;
    QHash<QString, qint64> m_fleetCardOf; // of the day's work last read
    QHash<QString, qint64> m_contractOutOf;
    QLabel* m_lblData = nullptr;
    List m_lastList = List::Out;
    Choice m_chosen;
};

} // namespace rf
