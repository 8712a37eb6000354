#include "content/HttpResponse.h"

#include <algorithm>

std::optional<QByteArray> HttpResponse::header(const QByteArray &name) const
{
    const auto found = std::find_if(headers.cbegin(), headers.cend(), [&name](const auto &header) {
        return header.first.compare(name, Qt::CaseInsensitive) == 0;
    });
    if (found == headers.cend())
        return std::nullopt;
    return found->second;
}
