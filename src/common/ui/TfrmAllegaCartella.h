#pragma once

#include "storage/Attachments.h"

#include "common/ui/FixedDialog.h"

class QLineEdit;
class QPushButton;
class QToolButton;

namespace rf {

class Context;

// The modal dialog that edits the three attachment slots of the card on screen and copies each
// chosen file into the attachments folder at once. The caller fills it with setValues(), runs it
// with exec() and, when it was accepted, takes values() back into its card.
class TfrmAllegaCartella : public FixedDialog {
    Q_OBJECT
public:
    TfrmAllegaCartella(Context& context, QWidget* owner);

    // Who called: the fleet or the contracts window. Unset, "Applica e chiudi" stays inert.
    AttachmentOwner lblMemory = AttachmentOwner::None;

    void setValues(const AttachmentValues& values);
    AttachmentValues values() const;

private:
    struct Slot {
        QLineEdit* txtFile = nullptr;
        QLineEdit* txtDesc = nullptr;
        QPushButton* btnSfoglia = nullptr;
        QPushButton* btnApri = nullptr;
        QToolButton* imgCancella = nullptr;
    };

    QWidget* buildSlot(int index);
    void btnSfogliaClick(int index);
    void btnApriClick(int index);
    void btnApplicaClick();
    void updateApri(int index);

    Slot m_slots[3];
    QPushButton* m_btnApplica = nullptr;
    QPushButton* m_btnAnnulla = nullptr;
};

} // namespace rf
