#include "app/SingleInstance.h"
#include "support/Wait.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QScopeGuard>
#include <QSignalSpy>

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace Qt::StringLiterals;

using namespace std::chrono_literals;
using Connections = std::vector<std::unique_ptr<QLocalSocket>>;

const QUrl mapsUrl(u"tarnhold://maps"_s);
const QUrl launchUrl(u"tarnhold://launch"_s);

// Connections that never write, up to atMost; fewer when the instance's
// listening queue fills, the last one then still connecting.
Connections connectIdle(size_t atMost)
{
    Connections connections;
    while (connections.size() < atMost) {
        QLocalSocket &socket = *connections.emplace_back(std::make_unique<QLocalSocket>());
        socket.connectToServer(SingleInstance::serverName());
        if (socket.state() != QLocalSocket::ConnectedState)
            break;
    }
    return connections;
}

// Leaves the process `spare` more descriptors until the returned guard ends.
// Descriptors take the lowest free numbers: the limit stops below the one
// past the spare free ones.
[[nodiscard]] auto limitDescriptors(int spare)
{
    int limit = 0;
    for (int free = 0; free <= spare; ++limit)
        free += ::fcntl(limit, F_GETFD) == -1 ? 1 : 0;
    rlimit saved{};
    ::getrlimit(RLIMIT_NOFILE, &saved);
    const rlimit lowered{rlim_t(limit - 1), saved.rlim_max};
    EXPECT_EQ(::setrlimit(RLIMIT_NOFILE, &lowered), 0) << std::strerror(errno);
    return qScopeGuard([saved] { ::setrlimit(RLIMIT_NOFILE, &saved); });
}

TEST(SingleInstance, SecondStartsHandOverTheirUrlOrAskForActivationOnce)
{
    SingleInstance running;
    ASSERT_TRUE(running.listen());
    QSignalSpy urls(&running, &SingleInstance::urlReceived);
    QSignalSpy activations(&running, &SingleInstance::activationRequested);
    // Non-ASCII text and an encoded newline must survive the one-line framing.
    const QUrl url(u"tarnhold://launch/Zürich map?name=a b%0Ac"_s);
    EXPECT_EQ(QProcess::execute(QStringLiteral(TARNHOLD_EXECUTABLE), {QString::fromLatin1(url.toEncoded())}), 0);
    ASSERT_TRUE(urls.wait(5000));
    EXPECT_EQ(urls.first().first().toUrl(), url);
    EXPECT_TRUE(activations.isEmpty());

    ASSERT_TRUE(SingleInstance::sendToRunningInstance(std::nullopt));
    EXPECT_TRUE(activations.wait(5000));
    // A flood of activations on one connection is cut off after bringing the
    // window forward once.
    QLocalSocket flood;
    flood.connectToServer(SingleInstance::serverName());
    flood.write("\n");
    ASSERT_TRUE(eventually([&] { return activations.size() == 2; }));
    flood.write(QByteArray(1 << 20, '\n'));
    ASSERT_TRUE(eventually([&] { return flood.state() == QLocalSocket::UnconnectedState; }));
    EXPECT_EQ(activations.size(), 2);
    EXPECT_EQ(urls.size(), 1);
}

TEST(SingleInstance, TakesOverFromACrashedInstanceButNeverFromABusyOne)
{
    // A crash leaves the socket file and a lock whose process is gone.
    const pid_t crashed = ::fork();
    if (crashed == 0) {
        QLockFile lock(QDir(QDir::tempPath()).filePath(SingleInstance::serverName() + u".lock"_s));
        QLocalServer server;
        ::_exit(lock.tryLock(0) && server.listen(SingleInstance::serverName()) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(crashed, &status, 0), crashed);
    ASSERT_EQ(status, 0);
    EXPECT_FALSE(SingleInstance::sendToRunningInstance(mapsUrl));

    SingleInstance first;
    ASSERT_TRUE(first.listen());
    QSignalSpy urls(&first, &SingleInstance::urlReceived);
    // The event loop stays still until the crowd leaves: the instance is
    // busy. The kernel still takes a connection and its line for it...
    ASSERT_TRUE(SingleInstance::sendToRunningInstance(mapsUrl));
    // ... until its listening queue is full; then nobody can connect.
    Connections crowd = connectIdle(1000);
    ASSERT_EQ(crowd.back()->state(), QLocalSocket::ConnectingState);
    EXPECT_FALSE(SingleInstance::sendToRunningInstance(launchUrl));
    EXPECT_FALSE(SingleInstance().listen());
    crowd.clear();

    ASSERT_TRUE(eventually([&] { return urls.size() == 1; }));
    ASSERT_TRUE(SingleInstance::sendToRunningInstance(launchUrl));
    ASSERT_TRUE(eventually([&] { return urls.size() == 2; }));
    EXPECT_EQ(urls[0][0].toUrl(), mapsUrl);
    EXPECT_EQ(urls[1][0].toUrl(), launchUrl);
}

// Idle connections, more than it serves at once and than it has descriptors
// for, are cut off without crowding out a URL; a socket file deleted, or a
// server Qt closed for want of a descriptor, is listened on again.
TEST(SingleInstance, StaysReachableWhateverHappensToItsConnectionsOrSocket)
{
    SingleInstance running({.connectionLimit = 500ms, .listeningCheck = 20ms});
    ASSERT_TRUE(running.listen());
    QSignalSpy urls(&running, &SingleInstance::urlReceived);
    {
        const Connections idle = connectIdle(20);
        ASSERT_EQ(idle.back()->state(), QLocalSocket::ConnectedState);
        const auto limit = limitDescriptors(14);
        ASSERT_TRUE(SingleInstance::sendToRunningInstance(mapsUrl));
        EXPECT_TRUE(eventually([&] { return urls.size() == 1; }));
        EXPECT_TRUE(eventually([&] {
            return std::ranges::all_of(
                idle, [](const auto &socket) { return socket->state() == QLocalSocket::UnconnectedState; });
        }));
    }

    // A temporary-files cleaner deletes the socket file.
    ASSERT_TRUE(QFile::remove(QDir(QDir::tempPath()).filePath(SingleInstance::serverName())));
    ASSERT_TRUE(eventually([] { return SingleInstance::sendToRunningInstance(mapsUrl); }));
    ASSERT_TRUE(eventually([&] { return urls.size() == 2; }));
    // Accepting fails for want of a descriptor; Qt closes the server, and
    // the connection waiting on it with it.
    QLocalSocket unlucky;
    unlucky.connectToServer(SingleInstance::serverName());
    {
        const auto limit = limitDescriptors(0);
        ASSERT_TRUE(eventually([&] { return unlucky.state() == QLocalSocket::UnconnectedState; }));
    }
    ASSERT_TRUE(eventually([] { return SingleInstance::sendToRunningInstance(launchUrl); }));
    EXPECT_TRUE(eventually([&] { return urls.size() == 3; }));
}

} // namespace
