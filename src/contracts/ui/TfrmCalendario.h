#pragma once

#include "common/ui/FixedDialog.h"

#include <QString>

class QCalendarWidget;
class QLineEdit;
class QPushButton;

namespace rf {

class Context;

// The modal month calendar through which the contracts window fills its three date edits. The
// caller writes the mode into lblMemory, runs the dialog with exec() and, when it was accepted,
// writes importedDate() into the edit that the mode names. A date can be typed as well, in
// txtDataDigitata above the calendar: the calendar follows the typing, Enter imports the typed
// date (or the calendar's, when nothing is typed), Escape cancels.
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
    // Begins the typed date with the key that opened the picker (nothing for a key that types
    // nothing), the cursor after it.
    void startTyping(const QString& firstKey);

private:
    // The buttons, the typed date and the calendar, each to what it does.
    void connectControls();
    void btnImportaDataClick();
    void followTyping();
    void import(const QDate& date);

    QLineEdit* m_txtDigitata = nullptr;
    QCalendarWidget* m_calAppuntamenti = nullptr;
    bool m_following = false; // the calendar is being moved by the typing
    QPushButton* m_btnImportaData = nullptr;
    QPushButton* m_btnAnnulla = nullptr;
    QString m_importedDate;
};

} // namespace rf
