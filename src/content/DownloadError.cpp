#include "content/DownloadError.h"

namespace {

QString describe(const QString &host, int status)
{
    // A 429 means the site rations requests, so waiting is the advice.
    const QString advice =
        status == 429
            ? QStringLiteral(" It is limiting requests; wait a minute and retry. Finished downloads are kept.")
            : QStringLiteral(" Retry in a moment; finished downloads are kept.");
    return host + QStringLiteral(" answered with HTTP ") + QString::number(status) + QLatin1Char('.') + advice;
}

} // namespace

DownloadError DownloadError::serverStatus(const QString &host, int status)
{
    return DownloadError(host, status);
}

DownloadError::DownloadError(const QString &host, int status)
    : UserFacingError(describe(host, status))
    , m_host(host)
    , m_status(status)
{}
