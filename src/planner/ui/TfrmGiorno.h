#pragma once

#include "common/ui/FixedDialog.h"

class QLabel;

namespace rf {

class BookingText;
class SvgPicture;

// Edits the booking text of one day of the planning grid: a text books the day, an empty one frees
// it. Accepted by "Applica e chiudi"; the grid then takes text() for the day lblMemory holds.
class TfrmGiorno : public FixedDialog {
    Q_OBJECT
public:
    TfrmGiorno(Context& context, QWidget* owner);

    // The day slot of the day being edited, -1 before setDay.
    int lblMemory = -1;

    // The day, the vehicle and the day's current text, as the grid gives them.
    void setDay(int slot, const QString& dateLine, const QString& vehicleLine, const QString& text);
    // The booking text without blanks at either end.
    QString text() const;
    bool showsBooked() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void updateIndicator();

    QLabel* m_infCamera = nullptr;
    QLabel* m_infGiorno = nullptr;
    BookingText* m_booking = nullptr;
    SvgPicture* m_icoLibera = nullptr;
    SvgPicture* m_icoOccupata = nullptr;
};

} // namespace rf
