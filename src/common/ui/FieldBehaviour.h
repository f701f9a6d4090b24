#pragma once

#include <QColor>
#include <QFrame>
#include <QString>

#include <functional>
#include <initializer_list>
#include <vector>

class QLabel;
class QLineEdit;
class QWidget;

namespace rf {
class RecordLayout;
}

// The behaviour every data-entry window shares, each applied in one line per field.
namespace rf::Form {

constexpr QRgb FocusYellow = 0xFFFFFF00;
constexpr QRgb IdleFill = 0xFFF0F8FF;  // alice blue, almost every edit
constexpr QRgb WhiteFill = 0xFFFFFFFF; // the fleet window's lower panels
constexpr QRgb EditBorder = 0xFF87CEEB;
constexpr QRgb StatusStrip = 0xFF3030DD;
constexpr QRgb SteelBlue = 0xFF4682B4;
constexpr QRgb LinkBlue = 0xFF00008B;
constexpr QRgb LinkPressed = 0xFFFFA500;

// Background recolouring: idle fill with a sky-blue border, yellow while the edit has the focus.
void highlightByBackground(QLineEdit* edit, QRgb idleFill = IdleFill);

// Rectangle highlight: a yellow frame 4 units larger than the edit on every side, hidden until the
// edit has the focus. The returned widget holds the edit and goes into the layout in its place;
// the frame itself is named effName.
QWidget* highlightByRectangle(QLineEdit* edit, const QString& effName);

// Enter (and the keypad Enter) moves the focus to target and does nothing else.
void enterMovesTo(QWidget* edit, QWidget* target);
// Enter chain over the given controls in order, the last leading back to the first.
void enterChain(std::initializer_list<QWidget*> controls);

enum class Keys {
    DigitsOnly,     // editing keys and 0-9
    Amount,         // as digits only, and the comma
    VehicleNumber,  // everything but the characters that cannot stand in a file name
    DateField,      // Backspace/Delete empty the field, any other key calls onOtherKey
    PickList,       // Backspace/Delete empty the field, Left/Right move, everything else discarded
};
// Filters key presses (pasted text is not filtered). onOtherKey serves the date field.
void filterKeys(QLineEdit* edit, Keys keys, std::function<void()> onOtherKey = {});
// Whether a key press with this text is let through by the vehicle number rule.
bool isVehicleNumberCharAllowed(QChar c);

// Amount field: normalised to two decimals when it loses the focus.
void normaliseAmountOnExit(QLineEdit* edit);

// Capitals while typing (a to z only); with trimmed, blanks at either end vanish as typed.
void capitalsWhileTyping(QLineEdit* edit, bool trimmed);
QString capitalsAtoZ(const QString& text);

// Status hints: hovering source writes hint into panInfo; hovering a background clears it.
void statusHint(QWidget* source, QLabel* panInfo, const QString& hint);
void statusClears(QWidget* background, QLabel* panInfo);

// The blue status strip along the bottom of a work window; its text label is panInfo.
QLabel* makeStatusStrip(QWidget* parent, const QString& idleText, QWidget** strip = nullptr);

// The edits of a card, one per record field from the first up to count: named "txt" + field name,
// limited to the field's capacity, in Verdana 12 bold with the background highlight, and chained
// by Enter in record order, the last leading back to the first.
std::vector<QLineEdit*> recordEdits(const RecordLayout& layout, int count);

// Fixed single border, no title-bar buttons.
void dialogFrame(QWidget* window, int clientWidth, int clientHeight);
// A vertical gradient background for a window, from top to bottom.
void gradientBackground(QWidget* window, QRgb top, QRgb bottom);

} // namespace rf::Form
