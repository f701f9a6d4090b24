#pragma once

#include "common/ui/CardWindow.h"

class QCheckBox;

namespace rf {

// The rental contracts work area: one contract at a time, saved in the contract archive at the
// position shown in lblPosizione (empty for a new contract). The eight company defaults come from
// the settings file when the window is shown and go back to it when the window closes.
class TfrmContratti_Noleggio_Bici : public CardWindow {
    Q_OBJECT
public:
    explicit TfrmContratti_Noleggio_Bici(Context& context, QWidget* parent = nullptr);

    bool returned() const;

    void cmdNuovoClick() override;
    void cmdDuplicaClick() override;
    void cmdSalvaClick() override;
    void cmdGuidaClick();
    void cmdCalcolaClick();
    void btnLogoClick();
    void btnCodFiscClick();
    // Opens the date picker for one of the three date edits ("doz_data", "doz_datainizio", "doz_datafine").
    void openDatePicker(const QString& mode);

protected:
    void showEvent(QShowEvent* event) override;
    void beforeClose() override;
    QStringList ownTexts() const override;
    void showOwnTexts(const QStringList& texts) override;
    int ownFieldCount() const override { return 1; }

private:
    void buildWindow();
    QWidget* buildToolbar();
    QWidget* buildHeader();
    QWidget* buildBody();
    void clearCard();
    void stampToday();
    bool archiveReachable();
    void readDefaults();

    QCheckBox* m_chkRiconsegnato = nullptr;
};

} // namespace rf
