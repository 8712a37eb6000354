#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>

#include <algorithm>
#include <chrono>
#include <optional>
#include <utility>

class QHttpServer;
class QTcpSocket;

using FixtureHeaders = QList<std::pair<QByteArray, QByteArray>>;

// One scripted answer of the fixture server.
struct FixtureResponse
{
    FixtureResponse(int status = 200, FixtureHeaders headers = {}, QByteArray body = {})
        : status(status)
        , headers(std::move(headers))
        , body(std::move(body))
    {}

    int status;
    FixtureHeaders headers;
    QByteArray body;
    // How long the server waits before it starts to answer.
    std::chrono::milliseconds delay{0};
    // Sends only this many bytes of the body and then closes the connection,
    // while "Content-Length" still announces the whole body.
    std::optional<qsizetype> truncateAfter;
    // Closes the connection without answering at all.
    bool dropConnection = false;
};

// A request as the server received it.
struct FixtureRequest
{
    QString path;
    FixtureHeaders headers;
};

// An HTTP server on 127.0.0.1 for tests: each path answers with its scripted
// responses in turn (the last one repeats), unknown paths with 404, and every
// request is logged with its headers. QHttpServer parses the requests; the
// answers are written to the socket directly, because QHttpServer 6.4 can
// neither delay an answer nor cut one short.
class FixtureServer final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FixtureServer)

public:
    FixtureServer();

    QUrl url(const QString &path) const { return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_port).arg(path)); }
    void route(const QString &path, const QList<FixtureResponse> &responses) { m_routes.insert(path, responses); }
    void route(const QString &path, const FixtureResponse &response) { route(path, QList{response}); }

    QList<FixtureRequest> requests() const { return m_requests; }
    qsizetype requestCount(const QString &path) const
    {
        return std::ranges::count(m_requests, path, &FixtureRequest::path);
    }

private:
    static void answer(QTcpSocket *socket, const FixtureResponse &response);

    QHttpServer *m_server;
    quint16 m_port = 0;
    QHash<QString, QList<FixtureResponse>> m_routes;
    QList<FixtureRequest> m_requests;
};
