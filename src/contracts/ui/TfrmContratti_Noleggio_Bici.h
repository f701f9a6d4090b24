#pragma once

#include "app/ui/WorkWindow.h"
#include "storage/Attachments.h"
#include "storage/CardBrowsing.h"

#include <memory>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace rf {
class CardArchive;
}

// The rental contracts work area: one contract at a time, saved in the contract archive at the
// position shown in lblPosizione (empty for a new contract). The eight company defaults come from
// the settings file when the window is shown and go back to it when the window closes.
class TfrmContratti_Noleggio_Bici : public rf::WorkWindow {
    Q_OBJECT
public:
    explicit TfrmContratti_Noleggio_Bici(rf::Context& context, QWidget* parent = nullptr);
    ~TfrmContratti_Noleggio_Bici() override;

    // The edit of a record field ("txt" + field name).
    QLineEdit* edit(const QString& fieldName) const;
    QString position() const;
    bool returned() const;
    const rf::AttachmentValues& attachments() const { return m_attachments; }
    // The card's texts in record order (48 edits, the returned flag, the six attachment values).
    QStringList cardTexts() const;
    // Shows the contract at position (as the contract search will).
    void showRecord(qint64 position);

    void cmdNuovoClick();
    void cmdDuplicaClick();
    void cmdSalvaClick();
    void browse(rf::BrowseButton button);
    void cmdFileClick();
    void cmdGuidaClick();
    void cmdCalcolaClick();
    void btnLogoClick();
    void btnCodFiscClick();
    // Opens the date picker for one of the three date edits ("doz_data", "doz_datainizio", "doz_datafine").
    void openDatePicker(const QString& mode);

protected:
    void showEvent(QShowEvent* event) override;
    void beforeClose() override;

private:
    void buildWindow();
    QWidget* buildToolbar();
    QWidget* buildHeader();
    QWidget* buildBody();
    void showTexts(const QStringList& texts);
    void clearCard();
    void stampToday();
    bool archiveReachable(bool errorBox);
    void readDefaults();

    std::vector<QLineEdit*> m_edits; // the 48 edits in record order
    QCheckBox* m_chkRiconsegnato = nullptr;
    rf::AttachmentValues m_attachments;
    QLabel* m_lblPosizione = nullptr;
    QLabel* m_panInfo = nullptr;
    std::unique_ptr<rf::CardArchive> m_card;
};
