#include "content/BackOff.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace BackOff {

namespace {

// The longest pause a server may ask for, and the longest fallback pause.
constexpr double longestRequestedPause = 120;
constexpr double longestFallbackPause = 60;

bool isSpaceOrTab(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

bool asksToSlowDown(int status)
{
    return status == 429 || status == 503;
}

std::optional<double> parseRetryAfter(const QByteArray &value)
{
    const char *first = value.cbegin();
    const char *last = value.cend();
    while (first != last && isSpaceOrTab(*first))
        ++first;
    while (last != first && isSpaceOrTab(*(last - 1)))
        --last;
    // from_chars reads the C number syntax regardless of locale, except that
    // it refuses a leading "+".
    if (last - first > 1 && *first == '+' && first[1] != '-' && first[1] != '+')
        ++first;
    double number = 0;
    const auto [stop, error] = std::from_chars(first, last, number);
    if (first == last || error != std::errc() || stop != last)
        return std::nullopt;
    return number;
}

double pause(const std::optional<QByteArray> &retryAfter, int attempt)
{
    const std::optional<double> requested = retryAfter ? parseRetryAfter(*retryAfter) : std::nullopt;
    // NaN fails this comparison too.
    if (requested && *requested >= 0)
        return std::min(*requested, longestRequestedPause);
    return std::min(5 * std::exp2(attempt), longestFallbackPause);
}

QString announcement(const QString &host, double pause)
{
    return host + QStringLiteral(" asked Tarnhold to slow down. Waiting ")
           + QString::number(static_cast<qint64>(std::trunc(pause))) + QStringLiteral(" s before retrying…");
}

} // namespace BackOff
