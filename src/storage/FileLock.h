#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace rf {

// How long a lock may be held before it counts as abandoned by a crashed workstation, and how long
// a writer waits for it. Tests shorten both.
struct LockTiming {
    int staleMs = 3000;
    int waitMs = 10000;
};

// The lock every writer of a shared file takes: "NAME.lock" beside the file, as every workstation
// sees it. Waiting is fair: a workstation that finds the lock taken claims the next turn
// ("NAME.lock.next"), and a busy workstation coming back for the lock lets it go first, so one
// counter appending all day cannot starve another's save. Taking the same file's lock again in
// the same process while it is held succeeds at once (a planning save that writes its record in
// place under the archive's own lock).
class FileLock {
public:
    explicit FileLock(const QString& guardedPath);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Waits up to timing().waitMs; false when the lock could not be had (held too long by
    // another, or the folder refuses the lock file, which is then known at once).
    bool lock();
    void unlock();
    bool isLocked() const { return m_held; }

    static LockTiming timing();
    static void setTiming(const LockTiming& timing);

private:
    bool claimTurn();
    bool othersTurn();
    void releaseTurn();

    QString m_guarded;
    QString m_lockPath;
    QString m_turnPath;
    QByteArray m_token;
    std::unique_ptr<QLockFile> m_lock;
    bool m_held = false;
    bool m_nested = false;
    bool m_claimed = false;
};

} // namespace rf
