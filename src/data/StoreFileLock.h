#pragma once

#include <QLockFile>
#include <QString>

// Holds the lock file beside a user store file ("<file>.lock") while it lives,
// so that running copies of the program change the file one at a time. A lock
// left by a copy that died is taken over.
class StoreFileLock
{
public:
    // How long to wait for another copy to finish its change.
    static constexpr int defaultTimeoutMs = 10000;

    explicit StoreFileLock(const QString& storePath, int timeoutMs = defaultTimeoutMs);
    ~StoreFileLock();
    StoreFileLock(const StoreFileLock&) = delete;
    StoreFileLock& operator=(const StoreFileLock&) = delete;

    bool isLocked() const { return m_locked; }
    // Why the lock could not be taken (empty when it was).
    QString errorString() const { return m_error; }
    QString lockFilePath() const { return m_lockPath; }

    static QString lockFilePathFor(const QString& storePath);

private:
    QString m_lockPath;
    QLockFile m_lock;
    bool m_locked = false;
    QString m_error;
};
