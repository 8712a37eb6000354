#include "content/Sha256.h"

#include <QFile>
#include <QPromise>
#include <QThreadPool>

#include <memory>
#include <openssl/evp.h>
#include <optional>

namespace {

std::optional<QByteArray> readWholeFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

} // namespace

QString sha256(QByteArrayView bytes)
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    // OpenSSL's EVP is several times faster than QCryptographicHash here.
    if (EVP_Digest(bytes.data(), static_cast<size_t>(bytes.size()), digest, &length, EVP_sha256(), nullptr) != 1)
        qFatal("SHA-256 is unavailable in this OpenSSL");
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(digest), length).toHex());
}

bool filesMatch(const QString &first, const QString &second)
{
    const std::optional<QByteArray> firstBytes = readWholeFile(first);
    if (!firstBytes)
        return false;
    const std::optional<QByteArray> secondBytes = readWholeFile(second);
    return secondBytes && sha256(*firstBytes) == sha256(*secondBytes);
}

QFuture<QString> sha256InBackground(const QByteArray &bytes)
{
    auto promise = std::make_shared<QPromise<QString>>();
    QFuture<QString> future = promise->future();
    promise->start();
    QThreadPool::globalInstance()->start([promise, bytes] {
        promise->addResult(sha256(bytes));
        promise->finish();
    });
    return future;
}
