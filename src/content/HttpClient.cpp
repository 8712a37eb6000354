#include "content/HttpClient.h"

#include "base/FileChanges.h"
#include "base/OperationState.h"
#include "base/SmallFile.h"
#include "content/BackOff.h"
#include "content/DownloadError.h"
#include "content/Sha256.h"
#include "content/TransferErrors.h"

#include <QCoroFuture>
#include <QCoroNetworkReply>
#include <QCoroTimer>
#include <QNetworkReply>
#include <QPointer>

namespace {

// Far above any archive Tarnhold caches, far below what memory holds.
constexpr qint64 cacheSizeLimit = qint64{1} << 30;

} // namespace

HttpClient::HttpClient(Timing timing, OperationState &operation, QObject *parent)
    : QObject(parent)
    , m_timing(timing)
    , m_operation(operation)
{
    m_network.setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
    // Qt never ends a stalled transfer on its own.
    m_network.setTransferTimeout(static_cast<int>(m_timing.transferTimeout.count()));
}

HttpClient::~HttpClient()
{
    close();
}

void HttpClient::close()
{
    m_closed = true;
    // An aborted reply announces its end through the event loop, so it has
    // to live that long: it leaves the manager and deletes itself later.
    for (QNetworkReply *reply : m_network.findChildren<QNetworkReply *>(Qt::FindDirectChildrenOnly)) {
        if (reply->isFinished())
            continue;
        reply->setParent(nullptr);
        reply->abort();
        reply->deleteLater();
    }
}

QCoro::Task<std::optional<HttpResponse>> HttpClient::send(QNetworkRequest request)
{
    // The reserved ".invalid" domain never resolves, so the resolver is not
    // asked; it names addresses a build has not been given yet.
    if (request.url().host().endsWith(QStringLiteral(".invalid"), Qt::CaseInsensitive))
        throw TransportError(QStringLiteral("Host %1 not found").arg(request.url().host()));
    if (m_closed)
        throw CancelledError();
    QNetworkReply *reply = m_network.get(request);
    // A client that goes away aborts the reply, which ends this wait.
    co_await reply;
    reply->deleteLater();
    // Qt files some statuses (400, 407, 418 …) under codes that look like
    // transfer failures, so the status code decides what was answered. A
    // 200 whose transfer broke off is no answer at all.
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const bool answered = status.isValid() && (status.toInt() != 200 || reply->error() == QNetworkReply::NoError);
    if (!answered && reply->error() != QNetworkReply::NoError)
        throw TransportError(reply->errorString());
    if (!status.isValid())
        co_return std::nullopt;
    co_return HttpResponse{status.toInt(), reply->url(), reply->rawHeaderPairs(), reply->readAll()};
}

QCoro::Task<HttpResponse> HttpClient::requestData(QNetworkRequest request)
{
    const QPointer<HttpClient> self(this);
    const QString host = request.url().host().isEmpty() ? QStringLiteral("the download server") : request.url().host();
    for (int attempt = 0;; ++attempt) {
        const std::optional<HttpResponse> response = co_await send(request);
        if (!response)
            throw BadServerResponseError();
        if (response->status == 200)
            co_return *response;
        if (!BackOff::asksToSlowDown(response->status) || attempt >= BackOff::retryLimit)
            throw DownloadError::serverStatus(host, response->status);
        const double pause = BackOff::pause(response->header(QByteArrayLiteral("Retry-After")), attempt);
        m_operation.setActivity(BackOff::announcement(host, pause));
        co_await QCoro::sleepFor(std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::duration<double, std::nano>(m_timing.backOffSecond) * pause));
        if (!self)
            throw CancelledError();
    }
}

QCoro::Task<QByteArray> HttpClient::verifiedDownload(QUrl from, QString expectedSha256, QString cachedAt)
{
    const QPointer<HttpClient> self(this);
    const QString wanted = expectedSha256.toLower();
    if (const std::optional<QByteArray> cached = readSmallFile(cachedAt, cacheSizeLimit)) {
        if (co_await sha256InBackground(*cached) == wanted)
            co_return *cached;
    }
    if (!self)
        throw CancelledError();

    const std::optional<HttpResponse> response = co_await send(QNetworkRequest(from));
    if (!response || response->status != 200 || co_await sha256InBackground(response->body) != wanted)
        throw CorruptFileError();
    replaceFile(cachedAt, response->body);
    co_return response->body;
}
