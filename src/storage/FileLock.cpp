#include "FileLock.h"

#include "storage/Durable.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QRandomGenerator>
#include <QSysInfo>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>

namespace rf {

namespace {

LockTiming& currentTiming()
{
    static LockTiming timing;
    return timing;
}

// Locks this process holds, by guarded file, with how many holders: a nested take succeeds.
QMutex heldMutex;
QHash<QString, int>& heldLocks()
{
    static QHash<QString, int> held;
    return held;
}

// What a file shows a waiter: its bytes and its modification time, read as they are. The time is
// only compared with the time seen before, never with a clock; an empty result: no file.
QByteArray snapshot(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray shown = file.readAll();
    shown += '\0';
    shown += QByteArray::number(QFileInfo(path).lastModified().toMSecsSinceEpoch());
    return shown;
}

// The lock's lines: process id, program, machine, then the holder's token and its beat. The first
// three are those every earlier version of the program wrote and reads.
QByteArray lockContent(const QByteArray& token, qint64 beat)
{
    return QByteArray::number(QCoreApplication::applicationPid()) + '\n' +
           QCoreApplication::applicationName().toUtf8() + '\n' + QSysInfo::machineHostName().toUtf8() + '\n' +
           token + ' ' + QByteArray::number(beat) + '\n';
}

// Writes content over a file that must still hold token; false when it is no longer this holder's.
bool refresh(const QString& path, const QByteArray& token, const QByteArray& content)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered))
        return false;
    if (!file.readAll().contains(token))
        return false;
    return file.seek(0) && file.write(content) == content.size() && file.resize(content.size());
}

// What a gate folder shows a waiter: that it is there, and its times as they are; empty: no gate.
QByteArray gateSnapshot(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    return QByteArray::number(info.lastModified().toMSecsSinceEpoch()) + ' ' +
           QByteArray::number(info.birthTime().toMSecsSinceEpoch()) + ' ' +
           QByteArray::number(info.metadataChangeTime().toMSecsSinceEpoch());
}

// Removes a file, trying again for a moment: a share refuses to remove a file another workstation
// has open that very instant (a waiter reading the lock), which passes in milliseconds.
void removeStubbornly(const QString& path)
{
    QElapsedTimer tried;
    tried.start();
    while (!QFile::remove(path) && QFileInfo::exists(path) && tried.elapsed() < 2000)
        QThread::msleep(2 + QRandomGenerator::global()->bounded(4u));
}

} // namespace

// Keeps a held lock visibly alive: its file is rewritten with a new beat every quarter of the stale
// time, from a thread of its own, however long the holder's work takes.
class FileLock::Beat {
public:
    Beat(QString path, QByteArray token, int intervalMs)
    {
        m_thread = std::thread([this, path = std::move(path), token = std::move(token), intervalMs] {
            std::unique_lock<std::mutex> guard(m_mutex);
            qint64 beat = 0;
            while (!m_done.wait_for(guard, std::chrono::milliseconds(intervalMs), [this] { return m_stop; }))
                refresh(path, token, lockContent(token, ++beat));
        });
    }
    ~Beat()
    {
        {
            std::lock_guard<std::mutex> guard(m_mutex);
            m_stop = true;
        }
        m_done.notify_all();
        m_thread.join();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_stop = false;
    std::thread m_thread;
};

bool FileLock::Sighting::unchangedFor(const QByteArray& now, qint64 ms)
{
    if (!since.isValid() || now != seen) {
        seen = now;
        since.start();
        return false;
    }
    return since.elapsed() > ms;
}

LockTiming FileLock::timing()
{
    return currentTiming();
}

void FileLock::setTiming(const LockTiming& timing)
{
    currentTiming() = timing;
}

FileLock::FileLock(const QString& guardedPath)
    : m_guarded(QFileInfo(guardedPath).absoluteFilePath()), m_lockPath(guardedPath + QStringLiteral(".lock")),
      m_turnPath(guardedPath + QStringLiteral(".lock.next")),
      m_gatePath(guardedPath + QStringLiteral(".lock.gate"))
{
}

FileLock::~FileLock()
{
    unlock();
}

// The one step every file system makes exclusive, network clients included, is making a folder:
// some clients of SMB shares create a file "only if none exists" by creating it anyway, emptying
// another's. So the lock file is made, and an abandoned one removed, only by the holder of the gate
// "NAME.lock.gate", a folder kept for the milliseconds those steps take.
bool FileLock::enterGate()
{
    if (QDir().mkdir(m_gatePath)) {
        m_gateSeen = {};
        return true;
    }
    const QByteArray now = gateSnapshot(m_gatePath);
    // A gate left by a workstation that crashed inside it is void once it stays unchanged for
    // twice the stale time: far longer than any step taken inside it, slow shares included.
    if (!now.isEmpty() && m_gateSeen.unchangedFor(now, 2 * qint64(currentTiming().staleMs)) &&
        gateSnapshot(m_gatePath) == now) {
        QDir().rmdir(m_gatePath);
        m_gateSeen = {};
    }
    return false;
}

void FileLock::leaveGate()
{
    QDir().rmdir(m_gatePath);
}

FileLock::Take FileLock::tryTake()
{
    // A lock this machine sees is held; on a share the answer may be a second old, so once a
    // reading of the lock found it gone, the gate and the lock file are tried all the same.
    const bool released = std::exchange(m_lockReleased, false);
    for (int attempt = 0; attempt < 2; ++attempt) {
        const QFileInfo before(m_lockPath);
        if (!released && (before.exists() || before.isSymLink()))
            return Take::Held;
        if (!enterGate()) {
            if (QFileInfo::exists(m_gatePath))
                return Take::Held; // another is taking the lock this very moment
            continue; // no gate there, yet none could be made: vanished, or the folder refuses it
        }
        Take take = Take::Held;
        QFile file(m_lockPath);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
            const QByteArray content = lockContent(m_token, 0);
            const bool written = file.write(content) == content.size();
            file.close();
            if (written) {
                take = Take::Taken;
            } else {
                QFile::remove(m_lockPath);
                take = Take::Refused;
            }
        } else {
            const QFileInfo info(m_lockPath);
            // No lock there, yet none could be made: the folder refuses it.
            if (!info.exists() && !info.isSymLink())
                take = Take::Refused;
        }
        leaveGate();
        return take;
    }
    return Take::Refused;
}

// How often a waiter reads a lock or a claim it found there. Between reads it only asks whether the
// file is still there: a share refuses to remove a file another workstation has open, so a waiter
// that kept opening the lock would keep its holder from releasing it.
qint64 FileLock::readEveryMs()
{
    return std::clamp<qint64>(currentTiming().staleMs / 30, 5, 100);
}

bool FileLock::holderGone(QByteArray* seen)
{
    if (m_lockRead.isValid() && m_lockRead.elapsed() < readEveryMs())
        return false;
    m_lockRead.start();
    *seen = snapshot(m_lockPath);
    if (seen->isEmpty()) {
        m_lockReleased = true; // released meanwhile: the next try takes it
        return false;
    }
    const QList<QByteArray> lines = seen->split('\n');
    if (lines.size() >= 3 && lines[2] == QSysInfo::machineHostName().toUtf8()) {
        bool ok = false;
        const qint64 pid = lines[0].toLongLong(&ok);
        if (ok && pid != QCoreApplication::applicationPid() && !Durable::processRunning(pid))
            return true;
    }
    return m_lockSeen.unchangedFor(*seen, currentTiming().staleMs);
}

// One waiter at a time removes an abandoned lock, inside the gate, and only the very lock it
// judged: a lock taken afresh by another in between looks different and stays.
void FileLock::removeAbandoned(const QByteArray& seen)
{
    if (!enterGate())
        return;
    if (snapshot(m_lockPath) == seen)
        removeStubbornly(m_lockPath);
    leaveGate();
    m_lockSeen = {};
}

bool FileLock::lock()
{
    if (m_held)
        return true;
    {
        QMutexLocker locker(&heldMutex);
        auto found = heldLocks().find(m_guarded);
        if (found != heldLocks().end()) {
            ++found.value();
            m_held = m_nested = true;
            return true;
        }
    }
    const LockTiming timing = currentTiming();
    m_token = QByteArray::number(QCoreApplication::applicationPid()) + '-' +
              QByteArray::number(QRandomGenerator::global()->generate64(), 16);
    m_lockSeen = {};
    m_turnSeen = {};
    m_gateSeen = {};
    m_lockRead.invalidate();
    m_turnRead.invalidate();
    m_lockReleased = false;
    m_othersTurn = false;
    QElapsedTimer waited;
    waited.start();
    qint64 refreshed = 0;
    for (;;) {
        if (!othersTurn()) {
            const Take take = tryTake();
            if (take == Take::Taken) {
                releaseTurn();
                QMutexLocker locker(&heldMutex);
                heldLocks().insert(m_guarded, 1);
                m_held = true;
                m_beat = std::make_unique<Beat>(m_lockPath, m_token, std::max(timing.staleMs / 4, 10));
                return true;
            }
            // A folder that refuses the lock file will not accept it a moment later either.
            if (take == Take::Refused)
                break;
            QByteArray seen;
            if (holderGone(&seen)) {
                removeAbandoned(seen);
                continue;
            }
            if (!m_claimed)
                claimTurn();
        }
        if (waited.elapsed() >= timing.waitMs)
            break;
        // A claim still waited on is kept fresh; one left alone longer than a lock is void.
        if (m_claimed && waited.elapsed() - refreshed > timing.staleMs / 4) {
            refreshed = waited.elapsed();
            refreshClaim();
        }
        // Short, uneven pauses: the holder keeps the lock for milliseconds.
        QThread::msleep(1 + QRandomGenerator::global()->bounded(4u));
    }
    releaseTurn();
    return false;
}

bool FileLock::stillHeld() const
{
    if (!m_held)
        return false;
    if (m_nested)
        return true; // the outer holder in this process answers for it
    QFile file(m_lockPath);
    return file.open(QIODevice::ReadOnly) && file.readAll().contains(m_token);
}

void FileLock::unlock()
{
    if (!m_held)
        return;
    m_held = false;
    QMutexLocker locker(&heldMutex);
    auto found = heldLocks().find(m_guarded);
    if (found != heldLocks().end() && --found.value() == 0)
        heldLocks().erase(found);
    if (m_nested) {
        m_nested = false;
        return;
    }
    m_beat.reset();
    // Only this holder's own lock is removed, inside the gate so that no waiter removes it as
    // abandoned and takes it in between; one another waiter took over is left alone. A gate that
    // stays busy does not keep the lock from being released.
    QElapsedTimer waited;
    waited.start();
    bool gated = enterGate();
    while (!gated && waited.elapsed() < currentTiming().staleMs) {
        QThread::msleep(1 + QRandomGenerator::global()->bounded(4u));
        gated = enterGate();
    }
    QFile file(m_lockPath);
    if (file.open(QIODevice::ReadOnly) && file.readAll().contains(m_token)) {
        file.close();
        removeStubbornly(m_lockPath);
    }
    if (gated)
        leaveGate();
}

// The next turn goes to the first waiter that claimed it; a claim is a small file holding who made
// it and how often it was refreshed.
bool FileLock::claimTurn()
{
    QFile turn(m_turnPath);
    if (!turn.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
        return false;
    m_claimBeats = 0;
    const QByteArray content = m_token + ' ' + QByteArray::number(m_claimBeats);
    const bool written = turn.write(content) == content.size();
    turn.close();
    if (!written) {
        QFile::remove(m_turnPath);
        return false;
    }
    m_claimed = true;
    return true;
}

void FileLock::refreshClaim()
{
    refresh(m_turnPath, m_token, m_token + ' ' + QByteArray::number(++m_claimBeats));
}

bool FileLock::othersTurn()
{
    if (!QFileInfo::exists(m_turnPath)) {
        m_othersTurn = false;
        return false;
    }
    if (m_turnRead.isValid() && m_turnRead.elapsed() < readEveryMs())
        return m_othersTurn;
    m_turnRead.start();
    m_othersTurn = false;
    const QByteArray now = snapshot(m_turnPath);
    if (now.isEmpty())
        return false;
    if (m_claimed && now.startsWith(m_token + ' '))
        return false;
    // A claim not kept fresh was left by a waiter that crashed or gave up: it is void.
    if (m_turnSeen.unchangedFor(now, currentTiming().staleMs)) {
        if (snapshot(m_turnPath) == now)
            removeStubbornly(m_turnPath);
        m_turnSeen = {};
        return false;
    }
    if (m_claimed) // our claim was voided and taken by another meanwhile
        m_claimed = false;
    m_othersTurn = true;
    return true;
}

void FileLock::releaseTurn()
{
    if (!m_claimed)
        return;
    m_claimed = false;
    QFile turn(m_turnPath);
    if (turn.open(QIODevice::ReadOnly) && turn.readAll().startsWith(m_token + ' ')) {
        turn.close();
        removeStubbornly(m_turnPath);
    }
}

} // namespace rf
