#pragma once

#include "common/ui/Style.h"

#include <QString>

#include <functional>
#include <initializer_list>
#include <vector>

class QComboBox;
class QEvent;
class QLineEdit;
class QObject;
class QWidget;

namespace rf {
class Context;
class RecordLayout;
} // namespace rf

// The behaviour of the edits every data-entry window shares, each applied in one line per field.
namespace rf::Form {

// Background recolouring: idle fill with a sky-blue border, yellow while the edit has the focus.
// Both highlights also make the edit show the start of its text (showsTextStart).
void highlightByBackground(QLineEdit* edit, QRgb idleFill = Style::IdleFill);

// Rectangle highlight: a yellow frame 4 units larger than the edit on every side, hidden until the
// edit has the focus. The returned widget holds the edit and goes into the layout in its place;
// the frame itself is named effName.
QWidget* highlightByRectangle(QLineEdit* edit, const QString& effName);

// An edit narrower than its text shows the text's start, not its end, whenever the user is not in
// it: the caret goes back to the start when the text is set from outside and when the edit is left.
void showsTextStart(QLineEdit* edit);
// Makes edit at least wide enough to show sample whole in its font, frame and padding included
// ("00/00/0000" for a date).
void wideEnoughFor(QLineEdit* edit, const QString& sample);
inline const QString DateSample = QStringLiteral("00/00/0000");

// Enter (and the keypad Enter) moves the focus to target and does nothing else; an edit reached
// so has its whole text selected, as Tab does.
void enterMovesTo(QWidget* edit, QWidget* target);
// Enter chain over the given controls in order, the last leading back to the first.
void enterChain(std::initializer_list<QWidget*> controls);
void enterChain(const std::vector<QWidget*>& controls);

enum class Keys {
    DigitsOnly,    // editing keys and 0-9
    Amount,        // as digits only, and the comma
    VehicleNumber, // everything but the characters that cannot stand in a file name
    DateField,     // Backspace/Delete empty the field, any other key calls onOtherKey
    PickList,      // Backspace/Delete empty the field, Left/Right move, everything else discarded
};
// Filters key presses (pasted text is not filtered). onOtherKey serves the date field.
void filterKeys(QLineEdit* edit, Keys keys, std::function<void()> onOtherKey = {});
// The date field rule, handing onOtherKey the text of the key that opened the picker ("" for a key
// that types nothing), so the picker can begin with it.
void filterDateKeys(QLineEdit* edit, std::function<void(const QString& keyText)> onOtherKey);
// A drop-down picker whose value comes from its list alone: typed characters are discarded,
// Backspace and Delete empty it; Enter, Tab and the arrow keys act as usual.
void filterPicker(QComboBox* picker);
// Whether a key press with this text is let through by the vehicle number rule.
bool isVehicleNumberCharAllowed(QChar c);

// Amount field: normalised to two decimals when it loses the focus.
void normaliseAmountOnExit(QLineEdit* edit);

// Capitals while typing (a to z only); with trimmed, blanks at either end vanish as typed.
void capitalsWhileTyping(QLineEdit* edit, bool trimmed);
QString capitalsAtoZ(const QString& text);

// The edits of a card, one per record field from the first up to count: named "txt" + field name,
// limited to the field's capacity, in Verdana 12 bold with the background highlight (so showing
// the start of their text), and chained by Enter in record order, the last leading back to the
// first.
std::vector<QLineEdit*> recordEdits(const RecordLayout& layout, int count);

// Runs handler on every event the watched object receives, before the object itself; returning
// true swallows the event. The filter is owned by the watched object.
void onEvent(QObject* watched, std::function<bool(QEvent*)> handler);

// One check of a form before it is saved: whether it failed, the warning that says so and the
// control that gets the focus.
struct Check {
    bool failed;
    QString message;
    QWidget* focus;
};
// Warns of the first failed check and gives its control the focus; true when one failed.
bool firstFailure(Context& context, QWidget* window, const std::vector<Check>& checks);

} // namespace rf::Form
