#include "StoreFileLock.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QRandomGenerator>
#include <QThread>

QString StoreFileLock::lockFilePathFor(const QString& storePath)
{
    return storePath + QStringLiteral(".lock");
}

StoreFileLock::StoreFileLock(const QString& storePath, int timeoutMs)
    : m_lockPath(lockFilePathFor(storePath)), m_lock(m_lockPath)
{
    // A change takes milliseconds; a lock this old belongs to a copy that hangs.
    m_lock.setStaleLockTime(60000);
    // QLockFile::tryLock(timeout) doubles its pauses up to seconds, which lets a
    // busy copy starve a waiting one; short pauses with jitter keep turns fair.
    QDeadlineTimer deadline(timeoutMs);
    forever
    {
        m_locked = m_lock.tryLock(0);
        if (m_locked)
            return;
        if (m_lock.error() != QLockFile::LockFailedError || deadline.hasExpired())
            break;
        QThread::msleep(1 + QRandomGenerator::global()->bounded(8));
    }
    switch (m_lock.error()) {
    case QLockFile::LockFailedError:
        m_error =
            QCoreApplication::translate("StoreFileLock", "另一个正在运行的程序占用了锁文件 %1")
                .arg(m_lockPath);
        break;
    case QLockFile::PermissionError:
        m_error =
            QCoreApplication::translate("StoreFileLock", "没有权限创建锁文件 %1").arg(m_lockPath);
        break;
    default:
        m_error = QCoreApplication::translate("StoreFileLock", "无法创建锁文件 %1").arg(m_lockPath);
        break;
    }
}

StoreFileLock::~StoreFileLock()
{
    if (m_locked)
        m_lock.unlock();
}
