#pragma once

#include <QByteArray>
#include <QList>
#include <QNetworkReply>
#include <QUrl>

#include <optional>

// A complete HTTP answer: its status, the address it finally came from
// after redirects, its headers and its body.
struct HttpResponse
{
    int status = 0;
    QUrl url;
    QList<QNetworkReply::RawHeaderPair> headers;
    QByteArray body;

    // The value of a header, its name compared without regard to letter case.
    std::optional<QByteArray> header(const QByteArray &name) const;
};
