#pragma once

#include "common/ui/FixedDialog.h"

#include <QString>

class QCalendarWidget;
class QPushButton;

namespace rf {

class Context;

// The modal month calendar through which the contracts window fills its three date edits. The
// caller writes the mode into lblMemory, runs the dialog with exec() and, when it was accepted,
// writes importedDate() into the edit that the mode names.
class TfrmCalendario : public FixedDialog {
    Q_OBJECT
public:
    TfrmCalendario(Context& context, QWidget* owner);

    // Which edit the date is for. Unset, "Importa" stays inert.
    enum class DateFor { None, Data, DataInizio, DataFine };
    DateFor lblMemory = DateFor::None;

    // The chosen date as dd/mm/yyyy, set by "Importa"; empty until then.
    QString importedDate() const { return m_importedDate; }
    QCalendarWidget* calendar() const { return m_calAppuntamenti; }

private:
    void btnImportaDataClick();

    QCalendarWidget* m_calAppuntamenti = nullptr;
    QPushButton* m_btnImportaData = nullptr;
    QPushButton* m_btnAnnulla = nullptr;
    QString m_importedDate;
};

} // namespace rf
