#pragma once

#include "common/ui/ListWindow.h"

namespace rf {

// The booked days of the planning grid on screen, in calendar order, each with its text; the user
// finds a customer in the list and prints it. The key of the last search is kept by the grid, so
// it survives closing and reopening the summary.
class TfrmRiepPrenotazioni : public ListWindow {
    Q_OBJECT
public:
    // lines: one per booked day, in calendar order; title: what the printed list is headed with.
    TfrmRiepPrenotazioni(Context& context, QWidget* owner, const QStringList& lines, const QString& title,
                         QString& lastSearch);

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace rf
