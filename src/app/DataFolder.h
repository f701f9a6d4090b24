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

struct Choice {
    enum class Source { Argument, ProgramFolder, Remembered, Ask } source = Source::Ask;
    QString folder; // empty for Ask
};
// The argument first; then the program folder when it can be written; then the folder remembered
// in the settings, while it exists; otherwise the user is to be asked.
Choice choose(const QStringList& arguments, const QString& programFolder, const QString& remembered);

// Makes folder ready to be used: created when missing, and given the program's password file
// (the first access password) when it has none, as a new installation has. False when the folder
// cannot be made or written.
bool prepare(const QString& folder, const QString& programFolder);

} // namespace rf::DataFolder
