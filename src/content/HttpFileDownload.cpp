// Downloads too large to hold in memory: the body goes to disk as it
// arrives and is checked on the way.
#include "content/HttpClient.h"
#include "content/Sha256.h"
#include "content/TransferErrors.h"

#include <QCoroNetworkReply>
#include <QFileInfo>
#include <QNetworkReply>
#include <QSaveFile>

namespace {

// What Qt may hold of an answer before it is read: enough to keep the
// transfer flowing, little enough that a slow disk never means a full memory.
constexpr qint64 replyBufferSize = 4 << 20;

// The body of one answer on its way to disk.
struct StreamedBody
{
    QSaveFile file;
    Sha256Hasher hasher;
    qint64 received = 0;
    bool tooLong = false;
    bool writeFailed = false;

    explicit StreamedBody(const QString &destination)
        : file(destination)
    {}
};

UserFacingError saveError(const QSaveFile &file)
{
    return UserFacingError(QStringLiteral("Tarnhold could not save “%1”: %2")
                               .arg(QFileInfo(file.fileName()).fileName(), file.errorString()));
}

} // namespace

QCoro::Task<> HttpClient::downloadVerifiedFile(QNetworkRequest request, QString destination, qint64 expectedSize,
                                               QString expectedSha256, std::function<void(qint64)> onProgress)
{
    if (m_closed)
        throw CancelledError();
    // QSaveFile would write through a link to wherever it points.
    if (QFileInfo(destination).isSymLink())
        QFile::remove(destination);
    StreamedBody body(destination);
    if (!body.file.open(QIODevice::WriteOnly))
        throw saveError(body.file);

    QNetworkReply *reply = m_network.get(request);
    reply->setReadBufferSize(replyBufferSize);
    const auto isOk = [reply] { return reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() == 200; };
    const QMetaObject::Connection reading =
        connect(reply, &QNetworkReply::readyRead, reply, [&body, reply, isOk, expectedSize, &onProgress] {
            const QByteArray chunk = reply->readAll();
            // Only a 200's body is the file; anything else is read and dropped.
            if (!isOk())
                return;
            body.received += chunk.size();
            body.tooLong = body.received > expectedSize;
            body.writeFailed = !body.tooLong && body.file.write(chunk) != chunk.size();
            if (body.tooLong || body.writeFailed) {
                reply->abort();
                return;
            }
            body.hasher.add(chunk);
            if (onProgress)
                onProgress(body.received);
        });
    // A client that goes away aborts the reply, which ends this wait.
    co_await reply;
    disconnect(reading);
    reply->deleteLater();

    if (body.tooLong)
        throw CorruptFileError();
    if (body.writeFailed)
        throw saveError(body.file);
    // As in send(): the status code decides what was answered, and a 200
    // whose transfer broke off is no answer at all.
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (reply->error() != QNetworkReply::NoError && (!status.isValid() || isOk()))
        throw TransportError(reply->errorString());
    if (!isOk())
        throw BadServerResponseError();
    if (body.received != expectedSize || body.hasher.finish() != expectedSha256.toLower())
        throw CorruptFileError();
    if (!body.file.commit())
        throw saveError(body.file);
}
