#pragma once

#include "common/ui/FixedDialog.h"

class QLabel;

namespace rf {

class BookingText;
class SvgPicture;

// Edits the booking text of one day of the planning grid: a text books the day, an empty one frees
// it. Accepted by "Applica e chiudi"; the grid then takes text() for the day named by lblMemory.
class TfrmGiorno : public FixedDialog {
    Q_OBJECT
public:
    TfrmGiorno(Context& context, QWidget* owner);

    // The day key of the day being edited ("giu_27").
    QString lblMemory;

    // The day, the vehicle and the day's current text, as the grid gives them.
    void setDay(const QString& dayKey, const QString& dateLine, const QString& vehicleLine,
                const QString& text);
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
