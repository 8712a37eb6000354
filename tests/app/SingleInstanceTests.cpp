#include "app/SingleInstance.h"
#include "support/Wait.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using namespace std::chrono_literals;

const QUrl mapsUrl(QStringLiteral("tarnhold://maps"));
const QUrl launchUrl(QStringLiteral("tarnhold://launch"));

QString socketPath()
{
    return QDir(QDir::tempPath()).filePath(SingleInstance::serverName());
}

using Connections = std::vector<std::unique_ptr<QLocalSocket>>;

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

bool allClosed(const Connections &connections)
{
    return std::ranges::all_of(connections,
                               [](const auto &socket) { return socket->state() == QLocalSocket::UnconnectedState; });
}

// Leaves the process `spare` more descriptors while it lives.
class DescriptorLimit final
{
public:
    explicit DescriptorLimit(int spare)
    {
        // Descriptors take the lowest free numbers: stop below the one past
        // the spare free ones.
        int limit = 0;
        for (int free = 0; free <= spare; ++limit)
            free += ::fcntl(limit, F_GETFD) == -1 ? 1 : 0;
        --limit;
        ::getrlimit(RLIMIT_NOFILE, &m_saved);
        rlimit lowered = m_saved;
        lowered.rlim_cur = rlim_t(limit);
        EXPECT_EQ(::setrlimit(RLIMIT_NOFILE, &lowered), 0) << std::strerror(errno);
    }
    ~DescriptorLimit() { ::setrlimit(RLIMIT_NOFILE, &m_saved); }
    Q_DISABLE_COPY_MOVE(DescriptorLimit)

private:
    rlimit m_saved{};
};

TEST(SingleInstance, SecondStartsHandOverTheirUrlOrAskForActivation)
{
    SingleInstance running;
    ASSERT_TRUE(running.listen());
    QSignalSpy urls(&running, &SingleInstance::urlReceived);
    QSignalSpy activations(&running, &SingleInstance::activationRequested);
    // Non-ASCII text and an encoded newline must survive the one-line framing.
    const QUrl url(QStringLiteral("tarnhold://launch/Zürich map?name=a b%0Ac"));

    QProcess second;
    second.start(QStringLiteral(TARNHOLD_EXECUTABLE), {QString::fromLatin1(url.toEncoded())});
    ASSERT_TRUE(second.waitForFinished(10000)) << qPrintable(second.errorString());
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    ASSERT_TRUE(urls.wait(5000));
    EXPECT_EQ(urls.first().first().toUrl(), url);
    EXPECT_TRUE(activations.isEmpty());

    ASSERT_TRUE(SingleInstance::sendToRunningInstance(std::nullopt));
    EXPECT_TRUE(activations.wait(5000));
    EXPECT_EQ(urls.size(), 1);
}

TEST(SingleInstance, ListensOverWhatACrashedInstanceLeftBehind)
{
    // A socket bound and closed without listening, and a lock whose process
    // is gone.
    const QByteArray path = QFile::encodeName(socketPath());
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(static_cast<size_t>(path.size()), sizeof(address.sun_path));
    std::memcpy(address.sun_path, path.constData(), path.size());
    const int descriptor = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const int bound = ::bind(descriptor, reinterpret_cast<sockaddr *>(&address), sizeof(address));
    ::close(descriptor);
    ASSERT_EQ(bound, 0) << std::strerror(errno);
    const pid_t crashed = ::fork();
    if (crashed == 0) {
        QLockFile lock(socketPath() + QStringLiteral(".lock"));
        ::_exit(lock.tryLock(0) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(crashed, &status, 0), crashed);
    ASSERT_EQ(status, 0);
    EXPECT_FALSE(SingleInstance::sendToRunningInstance(mapsUrl));

    SingleInstance running;
    ASSERT_TRUE(running.listen());
    QSignalSpy urls(&running, &SingleInstance::urlReceived);
    ASSERT_TRUE(SingleInstance::sendToRunningInstance(mapsUrl));
    EXPECT_TRUE(urls.wait(5000));
}

TEST(SingleInstance, LeavesALiveInstanceInChargeHoweverSlowItIs)
{
    SingleInstance first;
    ASSERT_TRUE(first.listen());
    QSignalSpy urls(&first, &SingleInstance::urlReceived);
    // The event loop stays still until the crowd leaves: the first instance is
    // busy. The kernel still takes a connection and its line for it...
    ASSERT_TRUE(SingleInstance::sendToRunningInstance(mapsUrl));
    // ... until its listening queue is full; then nobody can connect.
    Connections crowd = connectIdle(1000);
    ASSERT_EQ(crowd.back()->state(), QLocalSocket::ConnectingState);
    EXPECT_FALSE(SingleInstance::sendToRunningInstance(launchUrl));
    {
        SingleInstance second;
        EXPECT_FALSE(second.listen());
    }
    crowd.clear();

    ASSERT_TRUE(eventually([&] { return urls.size() == 1; }));
    ASSERT_TRUE(SingleInstance::sendToRunningInstance(launchUrl));
    ASSERT_TRUE(eventually([&] { return urls.size() == 2; }));
    EXPECT_EQ(urls[0][0].toUrl(), mapsUrl);
    EXPECT_EQ(urls[1][0].toUrl(), launchUrl);
}

TEST(SingleInstance, IdleConnectionsAreCutOffAndCannotCrowdOutAUrl)
{
    SingleInstance running({.connectionLimit = 500ms});
    ASSERT_TRUE(running.listen());
    QSignalSpy urls(&running, &SingleInstance::urlReceived);
    // More than the instance serves at once, and than it has descriptors for.
    const Connections idle = connectIdle(20);
    ASSERT_EQ(idle.back()->state(), QLocalSocket::ConnectedState);
    const DescriptorLimit limit(14);

    ASSERT_TRUE(SingleInstance::sendToRunningInstance(mapsUrl));
    EXPECT_TRUE(eventually([&] { return urls.size() == 1; }));
    EXPECT_TRUE(eventually([&] { return allClosed(idle); }));
}

TEST(SingleInstance, ListensAgainOnceItsSocketStopsWorking)
{
    SingleInstance running({.listeningCheck = 20ms});
    ASSERT_TRUE(running.listen());
    QSignalSpy urls(&running, &SingleInstance::urlReceived);

    // A temporary-files cleaner deletes the socket file.
    ASSERT_TRUE(QFile::remove(socketPath()));
    ASSERT_TRUE(eventually([] { return SingleInstance::sendToRunningInstance(mapsUrl); }));
    ASSERT_TRUE(eventually([&] { return urls.size() == 1; }));

    // Accepting fails for want of a descriptor; Qt closes the server, and
    // the connection waiting on it with it.
    QLocalSocket unlucky;
    unlucky.connectToServer(SingleInstance::serverName());
    {
        const DescriptorLimit limit(0);
        ASSERT_TRUE(eventually([&] { return unlucky.state() == QLocalSocket::UnconnectedState; }));
    }
    ASSERT_TRUE(eventually([] { return SingleInstance::sendToRunningInstance(launchUrl); }));
    EXPECT_TRUE(eventually([&] { return urls.size() == 2; }));
}

TEST(SingleInstance, AFloodOfActivationsBringsTheWindowForwardOnce)
{
    SingleInstance running;
    ASSERT_TRUE(running.listen());
    QSignalSpy activations(&running, &SingleInstance::activationRequested);

    QLocalSocket flood;
    flood.connectToServer(SingleInstance::serverName());
    flood.write(QByteArray(1 << 20, '\n'));
    // Cut off by the instance; nothing more can come of it.
    ASSERT_TRUE(eventually([&] { return flood.state() == QLocalSocket::UnconnectedState; }));
    EXPECT_EQ(activations.size(), 1);
}

} // namespace
