#include "app/SingleInstance.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QSignalSpy>

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

const QUrl mapsUrl(QStringLiteral("tarnhold://maps"));

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

TEST(SingleInstance, ListensOverTheSocketACrashedInstanceLeftBehind)
{
    // Bound and closed without listening, as a crashed instance leaves it.
    const QByteArray path = QFile::encodeName(QDir(QDir::tempPath()).filePath(SingleInstance::serverName()));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(static_cast<size_t>(path.size()), sizeof(address.sun_path));
    std::memcpy(address.sun_path, path.constData(), path.size());
    const int descriptor = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const int bound = ::bind(descriptor, reinterpret_cast<sockaddr *>(&address), sizeof(address));
    ::close(descriptor);
    ASSERT_EQ(bound, 0) << std::strerror(errno);
    EXPECT_FALSE(SingleInstance::sendToRunningInstance(mapsUrl));

    SingleInstance running;
    ASSERT_TRUE(running.listen());
    QSignalSpy urls(&running, &SingleInstance::urlReceived);
    ASSERT_TRUE(SingleInstance::sendToRunningInstance(mapsUrl));
    EXPECT_TRUE(urls.wait(5000));
}

TEST(SingleInstance, LeavesALiveInstanceInCharge)
{
    SingleInstance first;
    ASSERT_TRUE(first.listen());
    QSignalSpy urls(&first, &SingleInstance::urlReceived);

    SingleInstance second;
    EXPECT_FALSE(second.listen());
    ASSERT_TRUE(SingleInstance::sendToRunningInstance(mapsUrl));
    EXPECT_TRUE(urls.wait(5000));
}

} // namespace
