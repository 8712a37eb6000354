#include "content/HttpClient.h"

#include <QNetworkReply>

HttpClient::HttpClient(std::chrono::milliseconds transferTimeout, QObject *parent)
    : QNetworkAccessManager(parent)
{
    setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
    // Qt never ends a stalled transfer on its own.
    setTransferTimeout(static_cast<int>(transferTimeout.count()));
}

HttpClient::~HttpClient()
{
    // An aborted reply announces its end through the event loop, so it has
    // to live that long: it leaves this client and deletes itself later.
    for (QNetworkReply *reply : findChildren<QNetworkReply *>(Qt::FindDirectChildrenOnly)) {
        if (reply->isFinished())
            continue;
        reply->setParent(nullptr);
        reply->abort();
        reply->deleteLater();
    }
}
