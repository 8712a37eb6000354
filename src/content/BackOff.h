#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// How Tarnhold paces a site that asks it to slow down (429 and 503).
namespace BackOff {

// Retries follow attempts 0 to 4, so a call sends at most six requests.
inline constexpr int retryLimit = 5;

bool asksToSlowDown(int status);

// The seconds a "Retry-After" value names, when it is a plain decimal number.
// Dates, words and anything with line breaks or control characters are not.
std::optional<double> parseRetryAfter(const QByteArray &value);

// The seconds to wait before the retry after the given attempt.
double pause(const std::optional<QByteArray> &retryAfter, int attempt);

QString announcement(const QString &host, double pause);

} // namespace BackOff
