#include "FileLock.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLockFile>
#include <QMutex>
#include <QRandomGenerator>
#include <QThread>

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

} // namespace

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
      m_turnPath(guardedPath + QStringLiteral(".lock.next"))
{
}

FileLock::~FileLock()
{
    unlock();
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
    m_lock = std::make_unique<QLockFile>(m_lockPath);
    m_lock->setStaleLockTime(timing.staleMs);
    m_token = QByteArray::number(QCoreApplication::applicationPid()) + '-' +
              QByteArray::number(QRandomGenerator::global()->generate64(), 16);
    QElapsedTimer waited;
    waited.start();
    qint64 refreshed = 0;
    for (;;) {
        if (!othersTurn()) {
            if (m_lock->tryLock(0)) {
                releaseTurn();
                QMutexLocker locker(&heldMutex);
                heldLocks().insert(m_guarded, 1);
                m_held = true;
                return true;
            }
            // A folder that refuses the lock file will not accept it a moment later either.
            if (m_lock->error() != QLockFile::LockFailedError)
                break;
            if (!m_claimed)
                claimTurn();
        }
        if (waited.elapsed() >= timing.waitMs)
            break;
        // A claim still waited on is kept fresh; one left alone longer than a lock is void.
        if (m_claimed && waited.elapsed() - refreshed > timing.staleMs / 4) {
            refreshed = waited.elapsed();
            QFile turn(m_turnPath);
            if (turn.open(QIODevice::Append))
                turn.setFileTime(QDateTime::currentDateTime(), QFileDevice::FileModificationTime);
        }
        // Short, uneven pauses: the holder keeps the lock for milliseconds.
        QThread::msleep(1 + QRandomGenerator::global()->bounded(4u));
    }
    releaseTurn();
    m_lock.reset();
    return false;
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
    m_lock->unlock();
    m_lock.reset();
}

// The next turn goes to the first waiter that claimed it; a claim is a small file holding who made it.
bool FileLock::claimTurn()
{
    QFile turn(m_turnPath);
    if (!turn.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    const bool written = turn.write(m_token) == m_token.size();
    turn.close();
    if (!written) {
        QFile::remove(m_turnPath);
        return false;
    }
    m_claimed = true;
    return true;
}

bool FileLock::othersTurn()
{
    QFile turn(m_turnPath);
    if (!turn.open(QIODevice::ReadOnly))
        return false;
    const QByteArray owner = turn.readAll();
    turn.close();
    if (m_claimed && owner == m_token)
        return false;
    // A claim not kept fresh was left by a waiter that crashed or gave up: it is void.
    const QDateTime made = QFileInfo(m_turnPath).lastModified();
    if (made.isValid() && made.msecsTo(QDateTime::currentDateTime()) > currentTiming().staleMs) {
        QFile::remove(m_turnPath);
        return false;
    }
    if (m_claimed) // our claim was voided and taken by another meanwhile
        m_claimed = false;
    return true;
}

void FileLock::releaseTurn()
{
    if (!m_claimed)
        return;
    m_claimed = false;
    QFile turn(m_turnPath);
    if (turn.open(QIODevice::ReadOnly) && turn.readAll() == m_token) {
        turn.close();
        QFile::remove(m_turnPath);
    }
}

} // namespace rf
