#include "support/FixtureServer.h"

#include <gtest/gtest.h>

#include <QHostAddress>
#include <QHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

FixtureServer::FixtureServer()
    : m_server(new QHttpServer(this))
{
    m_server->setMissingHandler([this](const QHttpServerRequest &request, QHttpServerResponder &&responder) {
        const QString path = request.url().path();
        m_requests.append({path, request.headers()});
        QList<FixtureResponse> &responses = m_routes[path];
        const FixtureResponse response = responses.isEmpty()    ? FixtureResponse(404, {}, "Not found")
                                         : responses.size() > 1 ? responses.takeFirst()
                                                                : responses.first();
        QPointer<QTcpSocket> socket = responder.socket();
        QTimer::singleShot(response.delay, this, [socket, response] {
            if (socket)
                answer(socket, response);
        });
    });
    m_port = m_server->listen(QHostAddress::LocalHost);
    EXPECT_NE(m_port, 0) << "the fixture server could not listen";
}

void FixtureServer::answer(QTcpSocket *socket, const FixtureResponse &response)
{
    if (response.dropConnection) {
        socket->disconnectFromHost();
        return;
    }
    QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + " Scripted\r\n";
    for (const auto &[name, value] : response.headers)
        head += name + ": " + value + "\r\n";
    // Every answer closes its connection, so no request waits behind a delayed one.
    head += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\nConnection: close\r\n\r\n";
    socket->write(head);
    socket->write(response.truncateAfter ? response.body.first(*response.truncateAfter) : response.body);
    socket->disconnectFromHost();
}
