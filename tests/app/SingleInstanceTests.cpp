#include "app/SingleInstance.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// Where QLocalServer puts a socket with a relative name on Unix.
QString socketPath()
{
    return QDir(QDir::tempPath()).filePath(SingleInstance::serverName());
}

// Leaves a socket file that nobody listens on, as a crashed instance does.
void leaveStaleSocket()
{
    const QByteArray path = QFile::encodeName(socketPath());
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(static_cast<size_t>(path.size()), sizeof(address.sun_path));
    std::memcpy(address.sun_path, path.constData(), path.size());
    const int descriptor = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_NE(descriptor, -1);
    const int bound = ::bind(descriptor, reinterpret_cast<sockaddr *>(&address), sizeof(address));
    ::close(descriptor);
    ASSERT_EQ(bound, 0) << std::strerror(errno);
}

class SingleInstanceMessages : public testing::TestWithParam<std::optional<QUrl>>
{};

TEST_P(SingleInstanceMessages, ReachTheRunningInstanceIntact)
{
    SingleInstance running;
    ASSERT_TRUE(running.listen());
    QSignalSpy urls(&running, &SingleInstance::urlReceived);
    QSignalSpy activations(&running, &SingleInstance::activationRequested);

    ASSERT_TRUE(SingleInstance::sendToRunningInstance(GetParam()));

    QSignalSpy &expected = GetParam() ? urls : activations;
    ASSERT_TRUE(expected.wait(5000));
    if (GetParam()) {
        EXPECT_EQ(urls.first().first().toUrl(), *GetParam());
        EXPECT_TRUE(activations.isEmpty());
    } else {
        EXPECT_TRUE(urls.isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    UrlsAndActivation, SingleInstanceMessages,
    testing::Values(std::optional<QUrl>(QUrl(QStringLiteral("tarnhold://maps"))),
                    // Spaces, non-ASCII text and a newline must not break the one-line framing.
                    std::optional<QUrl>(QUrl(QStringLiteral("tarnhold://launch/Zürich map?name=a b%0Ac#x"))),
                    std::optional<QUrl>()));

TEST(SingleInstance, ASecondStartHandsItsUrlOverAndExits)
{
    SingleInstance running;
    ASSERT_TRUE(running.listen());
    QSignalSpy urls(&running, &SingleInstance::urlReceived);

    QProcess second;
    second.start(QStringLiteral(TARNHOLD_EXECUTABLE), {QStringLiteral("tarnhold://maps")});
    ASSERT_TRUE(second.waitForFinished(10000)) << qPrintable(second.errorString());
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);

    ASSERT_TRUE(urls.wait(5000));
    EXPECT_EQ(urls.first().first().toUrl(), QUrl(QStringLiteral("tarnhold://maps")));
}

TEST(SingleInstance, DeliversSuccessiveStartsInOrder)
{
    SingleInstance running;
    ASSERT_TRUE(running.listen());
    QSignalSpy urls(&running, &SingleInstance::urlReceived);

    ASSERT_TRUE(SingleInstance::sendToRunningInstance(QUrl(QStringLiteral("tarnhold://maps"))));
    ASSERT_TRUE(SingleInstance::sendToRunningInstance(QUrl(QStringLiteral("tarnhold://settings"))));

    ASSERT_TRUE(QTest::qWaitFor([&] { return urls.size() == 2; }, 5000)) << urls.size();
    EXPECT_EQ(urls.at(0).first().toUrl(), QUrl(QStringLiteral("tarnhold://maps")));
    EXPECT_EQ(urls.at(1).first().toUrl(), QUrl(QStringLiteral("tarnhold://settings")));
}

TEST(SingleInstance, ReportsNothingDeliveredWithoutARunningInstance)
{
    EXPECT_FALSE(SingleInstance::sendToRunningInstance(QUrl(QStringLiteral("tarnhold://maps"))));
    EXPECT_FALSE(SingleInstance::sendToRunningInstance(std::nullopt));
}

TEST(SingleInstance, ListensOverTheSocketACrashedInstanceLeftBehind)
{
    ASSERT_NO_FATAL_FAILURE(leaveStaleSocket());
    ASSERT_TRUE(QFileInfo::exists(socketPath()));
    EXPECT_FALSE(SingleInstance::sendToRunningInstance(std::nullopt));

    SingleInstance running;
    ASSERT_TRUE(running.listen());
    QSignalSpy activations(&running, &SingleInstance::activationRequested);
    ASSERT_TRUE(SingleInstance::sendToRunningInstance(std::nullopt));
    EXPECT_TRUE(activations.wait(5000));
}

TEST(SingleInstance, LeavesALiveInstanceInCharge)
{
    SingleInstance first;
    ASSERT_TRUE(first.listen());
    QSignalSpy urls(&first, &SingleInstance::urlReceived);

    SingleInstance second;
    EXPECT_FALSE(second.listen());

    ASSERT_TRUE(SingleInstance::sendToRunningInstance(QUrl(QStringLiteral("tarnhold://maps"))));
    EXPECT_TRUE(urls.wait(5000));
}

TEST(SingleInstance, DropsOverlongLinesAndCutsOffEndlessOnes)
{
    SingleInstance running;
    ASSERT_TRUE(running.listen());
    QSignalSpy urls(&running, &SingleInstance::urlReceived);
    QLocalSocket peer;
    peer.connectToServer(SingleInstance::serverName());
    ASSERT_TRUE(peer.waitForConnected(1000));

    peer.write("tarnhold://" + QByteArray(9000, 'x') + "\ntarnhold://maps\n");
    ASSERT_TRUE(peer.waitForBytesWritten(1000));
    ASSERT_TRUE(urls.wait(5000));
    ASSERT_EQ(urls.size(), 1);
    EXPECT_EQ(urls.first().first().toUrl(), QUrl(QStringLiteral("tarnhold://maps")));

    QSignalSpy cutOff(&peer, &QLocalSocket::disconnected);
    peer.write(QByteArray(100'000, 'x'));
    ASSERT_TRUE(peer.waitForBytesWritten(1000));
    EXPECT_TRUE(cutOff.wait(5000));
}

TEST(SingleInstance, NamesTheServerAfterTheHomeFolder)
{
    const QString name = SingleInstance::serverName();
    EXPECT_TRUE(name.startsWith(QStringLiteral("tarnhold-")));

    const QByteArray home = qgetenv("HOME");
    QTemporaryDir otherHome;
    qputenv("HOME", QFile::encodeName(otherHome.path()));
    const QString otherName = SingleInstance::serverName();
    qputenv("HOME", home);

    EXPECT_NE(otherName, name);
    EXPECT_EQ(SingleInstance::serverName(), name);
}

} // namespace
