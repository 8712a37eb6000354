#pragma once

#include <QByteArrayView>
#include <QFuture>
#include <QString>

#include <memory>
#include <optional>

struct evp_md_ctx_st;

// A SHA-256 digest fed a piece at a time, for data that is never held whole.
class Sha256Hasher
{
public:
    Sha256Hasher();
    ~Sha256Hasher();
    Sha256Hasher(const Sha256Hasher &) = delete;
    Sha256Hasher &operator=(const Sha256Hasher &) = delete;

    void add(QByteArrayView bytes);
    // 64 lowercase hexadecimal digits; the hasher is spent afterwards.
    QString finish();

private:
    std::unique_ptr<evp_md_ctx_st, void (*)(evp_md_ctx_st *)> m_context;
};

// The SHA-256 digest of bytes as 64 lowercase hexadecimal digits.
QString sha256(QByteArrayView bytes);

// Whether two files hold the same bytes, judged by their digests; false when
// either cannot be read.
bool filesMatch(const QString &first, const QString &second);

// The digest of a file's contents, read a piece at a time; absent when the
// file cannot be read.
std::optional<QString> fileSha256(const QString &path);

// sha256() on the thread pool, for buffers too large to hash between frames.
QFuture<QString> sha256InBackground(const QByteArray &bytes);
// fileSha256() on the thread pool: neither the reading nor the hashing of a
// large file holds up the GUI thread.
QFuture<std::optional<QString>> fileSha256InBackground(const QString &path);
