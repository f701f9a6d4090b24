#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>

#include <memory>

namespace rf {

// How long a lock may be held before it counts as abandoned by a crashed workstation, and how long
// a writer waits for it. Tests shorten both.
struct LockTiming {
    int staleMs = 3000;
    int waitMs = 10000;
};

// The lock every writer of a shared file takes: "NAME.lock" beside the file, as every workstation
// sees it, made only when no other exists. Waiting is fair: a workstation that finds the lock
// taken claims the next turn ("NAME.lock.next"), and a busy workstation coming back for the lock
// lets it go first, so one counter appending all day cannot starve another's save. Taking the same
// file's lock again in the same process while it is held succeeds at once (a planning save that
// writes its record in place under the archive's own lock).
//
// No clock of another machine is trusted: workstations' clocks, and a file server's, differ by
// minutes in small shops. The holder rewrites its lock file every quarter of the stale time while
// it holds it; a waiter judges the lock abandoned when it has seen the same lock, unchanged, for the
// whole stale time by its own monotonic clock, or at once when the lock names a process of this
// machine that is no longer running. A claim of the next turn is refreshed and judged the same way.
//
// The lock file is made, removed as abandoned and released only by the holder of a gate folder
// ("NAME.lock.gate"): making a folder is exclusive on every share, making a file is not everywhere.
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
    // Whether the lock file still names this holder: false once a waiter took it over, judging it
    // abandoned while this holder hung on a share. Asked before a write that could undo another's.
    bool stillHeld() const;

    static LockTiming timing();
    static void setTiming(const LockTiming& timing);

    // What a waiter saw of a file the last time it looked, and since when by its own clock.
    struct Sighting {
        QByteArray seen;
        QElapsedTimer since;
        // Notes what is there now; true once it has stayed the same for longer than ms.
        bool unchangedFor(const QByteArray& now, qint64 ms);
    };

private:
    enum class Take { Taken, Held, Refused };
    Take tryTake();
    bool enterGate();
    void leaveGate();
    static qint64 readEveryMs();
    bool holderGone(QByteArray* seen);
    void removeAbandoned(const QByteArray& seen);
    bool claimTurn();
    bool othersTurn();
    void refreshClaim();
    void releaseTurn();

    class Beat;

    QString m_guarded;
    QString m_lockPath;
    QString m_turnPath;
    QString m_gatePath;
    QByteArray m_token;
    bool m_held = false;
    bool m_nested = false;
    bool m_claimed = false;
    qint64 m_claimBeats = 0;
    Sighting m_lockSeen;
    Sighting m_turnSeen;
    Sighting m_gateSeen;
    QElapsedTimer m_lockRead;
    QElapsedTimer m_turnRead;
    bool m_othersTurn = false;
    bool m_lockReleased = false;
    std::unique_ptr<Beat> m_beat;
};

} // namespace rf
