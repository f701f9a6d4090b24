#pragma once

#include <QString>

class QFileInfo;

namespace rf {

// A display copy: a small JPEG of a large picture, kept beside it so that showing the picture does
// not decode the whole camera file every time. Its name carries the picture's size and time
// ("Scheda_Veicolo_2.jpg.9437184-1765400000000.vista.jpg"), so a replaced picture is never shown
// through the copy of the old one; the start-up cleanup removes copies whose picture is gone or
// changed.
constexpr int DisplayCopySide =
    1000; // the copy's longer side: an eighth of a large camera picture, decoded fastest

// The copy's path for the picture as it is now; empty when the picture is missing.
QString displayCopyPath(const QFileInfo& picture);
// Whether a file name is a display copy's, and the picture's name it belongs to.
bool isDisplayCopyName(const QString& fileName, QString* pictureName = nullptr);
// Whether the display copy at path still matches its picture beside it.
bool displayCopyIsCurrent(const QFileInfo& copy);

} // namespace rf
