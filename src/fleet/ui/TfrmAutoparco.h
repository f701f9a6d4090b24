#pragma once

#include "common/ui/CardWindow.h"
#include "common/ui/PrintChoiceDialog.h"

#include "fleet/ServiceDue.h"
#include "fleet/VehiclePhoto.h"

#include <QImage>

#include <functional>
#include <vector>

class QGridLayout;
class QLabel;

namespace rf {

class PhotoView;

// The fleet work area: one vehicle card at a time, with its photo and attachments, saved in the
// fleet archive at the position shown in lblPosizione (empty for a new card).
class TfrmAutoparco : public CardWindow {
    Q_OBJECT
public:
    explicit TfrmAutoparco(Context& context, QWidget* parent = nullptr);

    // The days a vehicle (by number) was out on rental, for the rules of what falls due by rental
    // days. The fleet does not read contracts itself: without a source only the rules counted in
    // calendar days can fall due.
    using RentalsSource = std::function<std::vector<Service::RentalSpan>(const QString& number)>;
    void setRentalsSource(RentalsSource source);
    // Opens the price list, which belongs to the contracts; until it is given the command does nothing.
    void setPriceListOpener(std::function<void(QWidget* owner)> opener)
    {
        m_priceListOpener = std::move(opener);
    }

    // The picture on the card, as it will be written on the next save.
    // The whole picture, as read from its file; the window itself holds only what it shows.
    QImage photo() const;
    // The picture fitted into box, read at that size.
    QImage photoFitted(const QSize& box) const;
    // The vehicle sheet of the card on screen, for the print and preview dialogs.
    PrintChoiceDialog::Builder sheetBuilder() const;
    bool showsPlaceholder() const { return m_photo.isPlaceholder(); }

    void cmdNuovoClick() override;
    void cmdDuplicaClick() override;
    void cmdSalvaClick() override;
    void cmdTrovaClick();
    void cmdGuidaClick();
    // Opens the workshop log of the vehicle on the card, saving the card first if it was edited;
    // nothing for a card without a number.
    void cmdManutenzioniClick();
    // Asks whether the label of the vehicle on the card (as on screen) or those of the whole fleet
    // are wanted, and shows them in the preview, from which they are printed or saved as PDF.
    void cmdEtichetteClick();
    void btnCaricaFotoClick();
    void btnSalvaFotoClick();
    void btnCancFotoClick();
    void btnZoomFotoClick();

    // The placeholder picture shown on a card without a photo.
    static QImage placeholderImage();

protected:
    void showEvent(QShowEvent* event) override;
    std::any ownState() const override { return m_photo; }
    void restoreOwnState(const std::any& state) override;

private:
    void buildWindow();
    QWidget* buildToolbar();
    QWidget* buildSheet();
    QGridLayout* buildMainFields();
    QWidget* buildPhotoBlock();
    void setPhoto(const CardPhoto& photo);
    void showPhoto();
    void showPlaceholder();
    void showPictureFile(const QString& path);
    void loadCardPhoto();
    void saveCardPhoto();
    // Refuses a number another card already has, naming that card.
    bool numberIsFree();
    // Gives the workshop log's entries of a card saved under a new number that number.
    void renumberLog(const QString& oldNumber);
    // What falls due for the vehicle on the card, under its status.
    void showDueLine();

    PhotoView* m_imgFoto = nullptr;
    QLabel* m_lblRevisione = nullptr;
    RentalsSource m_rentals;
    std::function<void(QWidget* owner)> m_priceListOpener;
    CardPhoto m_photo;
};

} // namespace rf
