#pragma once

#include <QDateTime>
#include <QString>

namespace rf {

// Removes what writes cut off by a crash leave behind, when nothing in it changed for a minute
// (so another workstation's write still running is never touched): this program's own temporary
// files ("NAME.rotaflux-XXXXXX.tmp") in the program folder, the photo folder and the attachments
// folder, and the working folders of restores and backups (".rotaflux-ripristino-XXXXXX",
// ".rotaflux-copia-XXXXXX") in the program folder; those are kept while a restore's journal is
// waiting to be settled, since it may still need them. No other file is ever touched. Returns how
// many files and folders were removed. now is the time the ages are counted from.
int removeStaleTemporaryFiles(const QString& programFolder,
                              const QDateTime& now = QDateTime::currentDateTime());

} // namespace rf
