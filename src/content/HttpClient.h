#pragma once

#include <QNetworkAccessManager>

#include <chrono>

// The one HTTP client the model's downloads share: it follows redirects and
// ends a transfer that stalls. When it goes, it aborts its transfers, so
// every coroutine waiting on one resumes, sees that its model is gone and
// ends instead of staying suspended for good.
class HttpClient final : public QNetworkAccessManager
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HttpClient)

public:
    HttpClient(std::chrono::milliseconds transferTimeout, QObject *parent);
    ~HttpClient() override;
};
