#include "base/InstallationLock.h"

#include <QDir>
#include <QFileInfo>

InstallationLock::InstallationLock(const QString &path)
    : m_file(path)
{
    // Only a process that is gone gives up the lock, however long it works.
    m_file.setStaleLockTime(0);
}

InstallationLock::~InstallationLock() = default;

bool InstallationLock::claim()
{
    if (m_claims == 0) {
        QDir().mkpath(QFileInfo(m_file.fileName()).absolutePath());
        if (!m_file.tryLock(0) && m_file.error() == QLockFile::LockFailedError)
            return false;
    }
    ++m_claims;
    return true;
}

void InstallationLock::release()
{
    if (m_claims == 0)
        return;
    if (--m_claims == 0)
        m_file.unlock();
}
