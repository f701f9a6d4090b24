#pragma once

#include "app/ui/WorkWindow.h"
#include "storage/Attachments.h"
#include "storage/CardBrowsing.h"

#include <QImage>

#include <memory>
#include <vector>

class QLabel;
class QLineEdit;

namespace rf {
class CardArchive;
class PhotoView;
class PictureButton;
} // namespace rf

// The fleet work area: one vehicle card at a time, with its photo and attachments, saved in the
// fleet archive at the position shown in lblPosizione (empty for a new card).
class TfrmAutoparco : public rf::WorkWindow {
    Q_OBJECT
public:
    explicit TfrmAutoparco(rf::Context& context, QWidget* parent = nullptr);
    ~TfrmAutoparco() override;

    // The edit of a record field ("txt" + field name).
    QLineEdit* edit(const QString& fieldName) const;
    QString position() const;
    const rf::AttachmentValues& attachments() const { return m_attachments; }
    // The picture on the card, as it will be written on the next save.
    const QImage& photo() const;
    bool showsPlaceholder() const { return m_showsPlaceholder; }

    // The card's texts in record order (27 edits, then the six attachment values).
    QStringList cardTexts() const;
    // Fills the card from a record read elsewhere (the vehicle search), then loads its photo.
    void showRecord(qint64 position);

    void cmdNuovoClick();
    void cmdDuplicaClick();
    void cmdSalvaClick();
    void browse(rf::BrowseButton button);
    void cmdFileClick();
    void cmdGuidaClick();
    void btnCaricaFotoClick();
    void btnSalvaFotoClick();
    void btnCancFotoClick();
    void btnZoomFotoClick();

    // The placeholder picture shown on a card without a photo.
    static QImage placeholderImage();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildWindow();
    QWidget* buildToolbar();
    QWidget* buildSheet();
    QWidget* buildPhotoBlock();
    void showTexts(const QStringList& texts);
    void setPhoto(const QImage& image);
    void showPlaceholder();
    void loadCardPhoto();
    void saveCardPhoto();

    std::vector<QLineEdit*> m_edits; // the 27 edits in record order
    rf::AttachmentValues m_attachments;
    QLabel* m_lblPosizione = nullptr;
    QLabel* m_panInfo = nullptr;
    rf::PhotoView* m_imgFoto = nullptr;
    bool m_showsPlaceholder = true;
    std::unique_ptr<rf::CardArchive> m_card;
};
