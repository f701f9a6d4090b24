#pragma once

#include <QByteArray>
#include <QFile>
#include <QSaveFile>
#include <QString>

namespace rf {

// Why a whole-file write did not happen.
enum class WriteProblem {
    None,
    Link,        // the name is a link to another file: never written through
    ReadOnly,    // the file itself may not be written
    NoTemporary, // the folder refuses the temporary file (the file itself may still be writable)
    Failed,      // writing, syncing or replacing failed (disk full, folder gone)
};

// Replaces a file whole or not at all: the content goes to a temporary file beside it, named
// "NAME.rotaflux-XXXXXX.tmp" so that nothing but this program ever makes such a name, is synced,
// and then takes the file's place in one step. A link in place of the file is refused, never
// followed, and so is a file that may not be written. Destroyed without commit(), it leaves the
// old file and removes its temporary file.
class WholeFileWriter {
public:
    explicit WholeFileWriter(QString target);
    ~WholeFileWriter();
    WholeFileWriter(const WholeFileWriter&) = delete;
    WholeFileWriter& operator=(const WholeFileWriter&) = delete;

    bool open();
    // Where the content goes, for writers that take a device (pictures).
    QIODevice& device() { return m_temporary; }
    bool write(const char* data, qint64 size);
    bool write(const QByteArray& data) { return write(data.constData(), data.size()); }
    bool commit();
    void cancel();
    WriteProblem problem() const { return m_problem; }

private:
    QString m_target;
    QFile m_temporary;
    WriteProblem m_problem = WriteProblem::None;
    qint64 m_written = 0;      // bytes written to the temporary file
    qint64 m_handedToDisk = 0; // of which the system was asked to start writing to the disk
};

// Replaces the file at path with content, whole or not at all; problem, when given, says why not.
bool writeWholeFile(const QString& path, const QByteArray& content, WriteProblem* problem = nullptr);

// Commits a QSaveFile only when everything written really reached the disk: the buffered data is
// flushed first. For files the user saves outside the program folder.
bool commitWhole(QSaveFile& file);

// Whether a file name is one of the temporary files of WholeFileWriter.
bool isWholeFileTemporary(const QString& fileName);

// Whether there is a file at path, asked so that a network client's cached "no such file" is not
// believed: a client may keep it for a moment after another workstation made the file. When the
// file does not show, the folder's listing (read afresh) is asked too; a file it names is waited
// for, up to timeoutMs, until it shows. Used only before a file would be made or taken for missing.
bool fileIsThere(const QString& path, int timeoutMs);

// Whether the name in place of a file is a link (a symbolic link or a junction).
bool isLink(const QString& path);

} // namespace rf
