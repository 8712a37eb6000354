#pragma once

#include "base/Timing.h"
#include "content/HttpResponse.h"

#include <QCoroTask>
#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QObject>

#include <functional>
#include <optional>

class OperationState;

// The one HTTP client every download shares. It follows redirects, ends a
// transfer that stalls, paces a site that asks it to slow down and accepts
// downloads only when their checksum matches. Closing it, as its destructor
// does, aborts its transfers, so every coroutine waiting on one resumes and
// ends instead of staying suspended for good.
class HttpClient final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HttpClient)

public:
    // Back-off pauses are announced as the operation's activity.
    HttpClient(Timing timing, OperationState &operation, QObject *parent = nullptr);
    ~HttpClient() override;

    // Aborts every transfer at once and refuses new ones with CancelledError.
    void close();

    // One answer, absent when it is not HTTP. Throws TransportError when the
    // transfer itself fails; any HTTP status is an answer.
    QCoro::Task<std::optional<HttpResponse>> send(QNetworkRequest request);
    // A 200 answer. Retries after a pause when the site answers 429 or 503,
    // at most five times; any other status throws DownloadError.
    QCoro::Task<HttpResponse> requestData(QNetworkRequest request);
    // The bytes whose SHA-256 is expectedSha256 (any letter case): from the
    // cache file when it holds them, otherwise downloaded and then cached.
    // Throws CorruptFileError for any other bytes; the old cache stays.
    QCoro::Task<QByteArray> verifiedDownload(QUrl from, QString expectedSha256, QString cachedAt);
    // Streams a 200 answer into a temporary file beside destination, counting
    // and hashing the bytes as they arrive, and puts it in place only when it
    // has exactly expectedSize bytes whose SHA-256 is expectedSha256 (any
    // letter case). Otherwise the temporary file is removed and nothing else
    // changes: another status throws BadServerResponseError, other bytes
    // CorruptFileError (as soon as there are too many), a broken transfer
    // TransportError. onProgress hears the bytes received so far.
    QCoro::Task<> downloadVerifiedFile(QNetworkRequest request, QString destination, qint64 expectedSize,
                                       QString expectedSha256, std::function<void(qint64)> onProgress);

private:
    Timing m_timing;
    OperationState &m_operation;
    QNetworkAccessManager m_network;
    bool m_closed = false;
};
