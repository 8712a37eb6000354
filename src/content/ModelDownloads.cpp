// The downloads every piece of community content shares: one paced request
// and one cache-first, checksum-verified download.
#include "app/TarnholdModel.h"
#include "content/BackOff.h"
#include "content/DownloadError.h"
#include "content/HttpClient.h"
#include "content/Sha256.h"
#include "content/TransferErrors.h"

#include <QCoroFuture>
#include <QCoroSignal>
#include <QCoroTimer>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QSaveFile>

namespace {

// An HTTP status that Qt reports as an error is still an answer; everything
// else that failed is the transfer itself.
bool isHttpAnswer(QNetworkReply::NetworkError error)
{
    return error == QNetworkReply::NoError
           || (error >= QNetworkReply::ContentAccessDenied && error <= QNetworkReply::UnknownContentError)
           || (error >= QNetworkReply::InternalServerError && error <= QNetworkReply::UnknownServerError);
}

} // namespace

QCoro::Task<std::optional<HttpResponse>> TarnholdModel::send(QNetworkRequest request)
{
    // The reserved ".invalid" domain never resolves, so the resolver is not
    // asked; it names addresses a build has not been given yet.
    if (request.url().host().endsWith(QStringLiteral(".invalid"), Qt::CaseInsensitive))
        throw TransportError(QStringLiteral("Host %1 not found").arg(request.url().host()));
    QNetworkReply *reply = m_network->get(request);
    // A model that goes away aborts the reply, which ends this wait.
    if (!reply->isFinished())
        co_await qCoro(reply, &QNetworkReply::finished);
    reply->deleteLater();
    if (!isHttpAnswer(reply->error()))
        throw TransportError(reply->errorString());
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!status.isValid())
        co_return std::nullopt;
    co_return HttpResponse{status.toInt(), reply->url(), reply->rawHeaderPairs(), reply->readAll()};
}

QCoro::Task<HttpResponse> TarnholdModel::requestData(QNetworkRequest request)
{
    const QPointer<TarnholdModel> self(this);
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
        setActivity(BackOff::announcement(host, pause));
        co_await QCoro::sleepFor(std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::duration<double, std::nano>(m_timing.backOffSecond) * pause));
        if (!self)
            throw CancelledError();
    }
}

QCoro::Task<QByteArray> TarnholdModel::verifiedDownload(QUrl from, QString expectedSha256, QString cachedAt)
{
    const QPointer<TarnholdModel> self(this);
    const QString wanted = expectedSha256.toLower();
    QFile cache(cachedAt);
    if (cache.open(QIODevice::ReadOnly)) {
        const QByteArray cached = cache.readAll();
        if (cache.error() == QFileDevice::NoError && co_await sha256InBackground(cached) == wanted)
            co_return cached;
    }
    if (!self)
        throw CancelledError();

    const std::optional<HttpResponse> response = co_await send(QNetworkRequest(from));
    if (!response || response->status != 200 || co_await sha256InBackground(response->body) != wanted)
        throw CorruptFileError();
    // The old cache stays in place until the new bytes are whole on disk.
    QSaveFile file(cachedAt);
    if (!file.open(QIODevice::WriteOnly) || file.write(response->body) != response->body.size() || !file.commit())
        throw UserFacingError(
            QStringLiteral("Tarnhold could not save “%1”: %2").arg(QFileInfo(cachedAt).fileName(), file.errorString()));
    co_return response->body;
}
