#pragma once

#include "common/ui/FixedDialog.h"

#include <QImage>

class QPushButton;

namespace rf {

class Context;
class PhotoView;
class PictureButton;

// The modal dialog that edits the company logo: it shows Logo.bmp (or the built-in logo), lets
// the user pick a JPEG or bitmap picture, the built-in logo or no logo at all, and writes the
// result back to Logo.bmp on "Applica e chiudi". Failures stay silent.
class TfrmLogo : public FixedDialog {
    Q_OBJECT
public:
    TfrmLogo(Context& context, QWidget* owner);

    // The picture being edited, as it would be saved.
    const QImage& logo() const { return m_logo; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setLogo(const QImage& logo);
    void btnSfogliaClick();
    void btnApplicaClick();

    QImage m_logo;
    PhotoView* m_imgLogo = nullptr;
    QPushButton* m_btnSfoglia = nullptr;
    PictureButton* m_imgEuro = nullptr;
    PictureButton* m_btnCancLogo = nullptr;
    QPushButton* m_btnApplica = nullptr;
    QPushButton* m_btnAnnulla = nullptr;
};

} // namespace rf
