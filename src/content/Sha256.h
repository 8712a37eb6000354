#pragma once

#include <QByteArrayView>
#include <QFuture>
#include <QString>

// The SHA-256 digest of bytes as 64 lowercase hexadecimal digits.
QString sha256(QByteArrayView bytes);

// Whether two files hold the same bytes, judged by their digests; false when
// either cannot be read.
bool filesMatch(const QString &first, const QString &second);

// sha256() on the thread pool, for buffers too large to hash between frames.
QFuture<QString> sha256InBackground(const QByteArray &bytes);
