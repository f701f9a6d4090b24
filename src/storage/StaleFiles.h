#pragma once

#include <QString>

namespace rf {

// Removes what whole-file writes cut off by a crash leave behind: "name.XXXXXX" temporary files of
// the program's own files, older than a minute, in the program folder, the photo folder and the
// attachments folder. Returns how many were removed.
int RemoveStaleTemporaryFiles(const QString& programFolder);

} // namespace rf
