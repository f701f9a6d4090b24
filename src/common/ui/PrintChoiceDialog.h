#pragma once

#include "common/ui/FixedDialog.h"
#include "reports/Report.h"

#include <functional>
#include <optional>
#include <vector>

class QVBoxLayout;

namespace rf {

enum class Output { Preview, Print };

// Prepares a filled report and sends it to the preview or the printer. On any failure (a name the
// filling did not find, the layout, memory for a huge picture, the output) shows failureMessage in
// a warning box (unless it is empty) and returns false.
bool outputReport(Context& context, QWidget* owner, const Reports::Report& report, Output output,
                  const QString& failureMessage);

// The dialog through which a document is printed or previewed: a picture, one button for each
// document it offers, and a button that closes it. Each button builds its filled template when
// pressed (from the window it prints, as that window stands), outputs it, warns on failure and
// closes the dialog: accepted when the document went out, rejected otherwise.
class PrintChoiceDialog : public FixedDialog {
    Q_OBJECT
public:
    // Builds the filled template; nothing when the window it reads lacks a field it needs, which
    // is a fault of the program and outputs nothing.
    using Builder = std::function<std::optional<Reports::Report>()>;

    struct Choice {
        QString objectName;
        QString text;
        Output output;
        QString failure; // the warning shown when the document could not be output
        Builder build;
    };

    enum class Look {
        Banner,      // a banner on top, the choices stacked in a panel, the close button centred below
        Explanation, // a picture explaining the step, the choice and the close button side by side
    };

    struct Frame {
        QString objectName;
        QString caption;
        QSize client;
        Look look;
        QString picture;   // resource of the banner or the explanation
        QString closeText; // the close button is btnAnnulla
        QRgb top = Style::SteelBlue;
        QString pictureName = QStringLiteral("imgLogo01"); // the explanation's name
    };

    PrintChoiceDialog(Context& context, QWidget* owner, const Frame& frame);

    // Adds a button for a document; the first one added has the focus when the dialog opens.
    QPushButton* addChoice(Choice choice);
    // Runs the choice of the given index, as its button does.
    void choose(int index);

protected:
    void showEvent(QShowEvent* event) override;
    // The panel of stacked choices (Banner look).
    QVBoxLayout* choices() const { return m_choices; }

private:
    Look m_look;
    std::vector<Choice> m_entries;
    QVBoxLayout* m_choices = nullptr;   // Banner look
    QHBoxLayout* m_buttonRow = nullptr; // Explanation look
};

} // namespace rf
