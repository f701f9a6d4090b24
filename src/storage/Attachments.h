#pragma once

#include "RecordLayout.h"

#include <QString>

#include <functional>
#include <vector>

namespace rf {

// The three attachment slots of a card: each a bare file name and a free description.
// Whose attachments a dialog edits: a fleet card's or a contract's. None keeps "Applica" inert.
enum class AttachmentOwner { None, Fleet, Contract };

struct AttachmentValues {
    QString file[3];
    QString desc[3];
};

// The six record fields that hold a card's attachments, in record order: the three file names,
// then the three descriptions. Every card record ends with them.
const std::vector<FieldDef>& attachmentFields();

// The folder, directly under the program folder, that holds the copies of every attached file.
inline constexpr char AttachmentsFolderName[] = "Documenti_Allegati";

// The attachments folder of a program folder (not necessarily existing).
QString attachmentsFolder(const QString& programFolder);
// Whether a name from a card can only mean a file inside the attachments folder: a plain file name,
// with no folder part on any system (no "/", "\\", ":"), not "." or "..", no control characters.
bool isPlainAttachmentName(const QString& name);
// Where a stored file of that bare name lives, in native separators; empty when the name is not a
// plain file name, so that nothing outside the attachments folder is ever reached through a card.
QString attachedFilePath(const QString& programFolder, const QString& name);

enum class AttachResult {
    Copied,    // the file now holds a copy of the source
    Cancelled, // a file of that name existed and the user kept it
    Failed,    // folder, source or copy failed; any stored file is left as it was
    SameFile,  // the source is the stored file itself; nothing to do
    Link,      // the stored name is a link to another file: refused, nothing written
};

// Copies sourcePath into the attachments folder under its bare name, creating the folder with its
// parents. When a file of that name is already stored, confirmOverwrite is asked (and only then);
// the replacement is written beside it first, so a failed copy never damages the stored file.
AttachResult attachFile(const QString& programFolder, const QString& sourcePath,
                        const std::function<bool()>& confirmOverwrite);

} // namespace rf
