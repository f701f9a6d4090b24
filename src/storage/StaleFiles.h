#pragma once

#include <QString>

namespace rf {

// Removes what whole-file writes cut off by a crash leave behind: this program's own temporary
// files ("NAME.rotaflux-XXXXXX.tmp"), older than a minute, in the program folder, the photo folder
// and the attachments folder. No other file is ever touched. Returns how many were removed.
int removeStaleTemporaryFiles(const QString& programFolder);

} // namespace rf
