#include "content/Sha256.h"

#include <QFile>
#include <QtConcurrentRun>

#include <openssl/evp.h>
#include <optional>

QString sha256(QByteArrayView bytes)
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    // OpenSSL's EVP is several times faster than QCryptographicHash here.
    if (EVP_Digest(bytes.data(), static_cast<size_t>(bytes.size()), digest, &length, EVP_sha256(), nullptr) != 1)
        qFatal("SHA-256 is unavailable in this OpenSSL");
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(digest), length).toHex());
}

Sha256Hasher::Sha256Hasher()
    : m_context(EVP_MD_CTX_new(), EVP_MD_CTX_free)
{
    if (!m_context || EVP_DigestInit_ex(m_context.get(), EVP_sha256(), nullptr) != 1)
        qFatal("SHA-256 is unavailable in this OpenSSL");
}

Sha256Hasher::~Sha256Hasher() = default;

void Sha256Hasher::add(QByteArrayView bytes)
{
    EVP_DigestUpdate(m_context.get(), bytes.data(), static_cast<size_t>(bytes.size()));
}

QString Sha256Hasher::finish()
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_DigestFinal_ex(m_context.get(), digest, &length);
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(digest), length).toHex());
}

std::optional<QString> fileSha256(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // Release archives run to hundreds of megabytes: hash them a piece at a
    // time instead of holding them whole.
    Sha256Hasher hasher;
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    for (qint64 read; (read = file.read(chunk.data(), chunk.size())) > 0;)
        hasher.add(QByteArrayView(chunk.constData(), read));
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return hasher.finish();
}

bool filesMatch(const QString &first, const QString &second)
{
    const std::optional<QString> firstDigest = fileSha256(first);
    if (!firstDigest)
        return false;
    const std::optional<QString> secondDigest = fileSha256(second);
    return secondDigest && *firstDigest == *secondDigest;
}

QFuture<QString> sha256InBackground(const QByteArray &bytes)
{
    return QtConcurrent::run([bytes] { return sha256(bytes); });
}

QFuture<std::optional<QString>> fileSha256InBackground(const QString &path)
{
    return QtConcurrent::run([path] { return fileSha256(path); });
}
