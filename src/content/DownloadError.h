#pragma once

#include "base/UserFacingError.h"

// A site answered with an HTTP status Tarnhold cannot use.
class DownloadError final : public UserFacingError
{
public:
    static DownloadError serverStatus(const QString &host, int status);

    QString host() const { return m_host; }
    int status() const { return m_status; }

private:
    DownloadError(const QString &host, int status);

    QString m_host;
    int m_status;
};
