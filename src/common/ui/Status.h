#pragma once

#include <QString>

class QLabel;
class QWidget;

// The blue status strip along the bottom of a work window and the hints that fill it.
namespace rf::Status {

// The strip shpInfo with its text label panInfo, showing idleText until a hint replaces it.
// Returns panInfo; strip, when given, receives the strip for the window's layout.
QLabel* makeStrip(QWidget* parent, const QString& idleText, QWidget** strip = nullptr);

// Hovering source, or reaching it with the keyboard, writes its hint into panInfo; moving the pointer
// over a background clears it. Calling hint again for the same source replaces its text.
void hint(QWidget* source, QLabel* panInfo, const QString& hint);
void clears(QWidget* background, QLabel* panInfo);
// Names the keys that work source in its hint: "hint (keys)".
void setKeys(QWidget* source, const QString& keys);
// The text source writes into the status strip.
QString hintOf(const QWidget* source);

} // namespace rf::Status
