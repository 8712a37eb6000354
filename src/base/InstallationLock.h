#pragma once

#include <QLockFile>
#include <QString>

// One Tarnhold process at a time works on an installation: a window and a
// command-line operation each hold this lock file while they work. Claims
// within one process nest.
class InstallationLock final
{
public:
    explicit InstallationLock(const QString &path);
    ~InstallationLock();
    Q_DISABLE_COPY_MOVE(InstallationLock)

    // False only while another live process holds the lock. A lock that
    // cannot be written at all does not keep the user from working.
    bool claim();
    void release();

private:
    QLockFile m_file;
    int m_claims = 0;
};
