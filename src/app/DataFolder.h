#pragma once

#include <QString>
#include <QStringList>

// Where the program keeps its data. As installed from the sources, in its own folder, as every
// workstation sharing that folder expects; installed as a package, whose folder it may not write,
// in a data folder the user picks at the first start (remembered in the user's settings), or the
// one named with "--cartella DIR". File names, formats and locks are the same in either.
namespace rf::DataFolder {

// "--cartella DIR" (or "--cartella=DIR") among the arguments; empty when absent.
QString fromArguments(const QStringList& arguments);

// Whether a file can be made (and removed again) in folder.
bool isWritable(const QString& folder);

// The folder offered at the first start: "Rotaflux" in the user's home.
QString suggested();

// Whether folder holds a shop's data: the password file, or an archive, planning or settings file.
bool holdsOurData(const QString& folder);

struct Choice {
    // Unreachable: the folder named or remembered is not there, or the remembered one no longer
    // holds the shop's data (a network share that did not connect leaves an empty mount point).
    enum class Source { Argument, ProgramFolder, Remembered, Ask, Unreachable } source = Source::Ask;
    QString folder; // empty for Ask
};
// The argument first, while it names a folder; then the program folder when it may hold the data
// (never for the packaged program) and can be written; then the folder remembered in the
// settings, while it holds the shop's data; otherwise the user is to be asked.
Choice choose(const QStringList& arguments, const QString& programFolder, const QString& remembered,
              bool programFolderAllowed = true);

// Makes folder ready to be used: created when missing only when the user asked for a new one
// (Create::IfMissing), and given the program's password file (the first access password) from
// templateFolder when it has none, as a new installation has. False when the folder is missing
// and may not be made, or cannot be made or written.
enum class Create { Never, IfMissing };
bool prepare(const QString& folder, const QString& templateFolder, Create create = Create::Never);

} // namespace rf::DataFolder
