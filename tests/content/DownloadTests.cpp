#include "base/SmallFile.h"
#include "content/Sha256.h"
#include "content/TransferErrors.h"
#include "support/FileTree.h"
#include "support/Outcome.h"
#include "support/TestServices.h"
#include "support/Wait.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

namespace {

using namespace Qt::StringLiterals;

class Download : public testing::Test, protected TestServices
{
protected:
    QSignalSpy activities{&operation, &OperationState::activityChanged};
    const QString cache = FileTree::inHome(u"GenTool.zip"_s);
    const QByteArray archive{"GenTool archive bytes"};

    Outcome<HttpResponse> request(const QString &path)
    {
        return outcomeOf(http.requestData(QNetworkRequest(server.url(path))));
    }
    QString failureOf(const QString &path)
    {
        return request(path).failure<UserFacingError>().value_or(UserFacingError({})).description();
    }
    Outcome<QByteArray> download()
    {
        return outcomeOf(http.verifiedDownload(server.url(u"/gentool.zip"_s), sha256(archive).toUpper(), cache));
    }
};

TEST_F(Download, RetriesOnlyWhenAskedToSlowDownAndAtMostFiveTimes)
{
    server.route(u"/map"_s, {{503, {{"Retry-After", " 2.9"}}}, {200, {}, "map bytes"}});
    EXPECT_EQ(request(u"/map"_s).value.value_or(HttpResponse()).body, QByteArray("map bytes"));
    EXPECT_EQ(activities.count(), 1);
    EXPECT_EQ(operation.activity(), u"127.0.0.1 asked Tarnhold to slow down. Waiting 2 s before retrying…"_s);

    server.route(u"/busy"_s, FixtureResponse(429));
    EXPECT_EQ(failureOf(u"/busy"_s), u"127.0.0.1 answered with HTTP 429. It is limiting requests; "
                                     u"wait a minute and retry. Finished downloads are kept."_s);
    EXPECT_EQ(activities.count(), 1 + 5);
    EXPECT_EQ(server.requestCount(u"/busy"_s), 6);
}

// Qt files some statuses under codes that look like transfer failures; the
// user must still read what the server answered. Neither those answers nor
// broken transfers are retried.
TEST_F(Download, OtherStatusesAndBrokenTransfersFailAtOnce)
{
    for (const int status : {400, 401, 404, 407, 418, 500}) {
        const QString path = u"/status/%1"_s.arg(status);
        server.route(path, FixtureResponse(status, {{"Retry-After", "1"}}, "refused"));
        EXPECT_EQ(failureOf(path),
                  u"127.0.0.1 answered with HTTP %1. Retry in a moment; finished downloads are kept."_s.arg(status));
        EXPECT_EQ(server.requestCount(path), 1);
    }
    FixtureResponse truncated{200, {}, QByteArray(100000, 'x')}, dropped;
    truncated.truncateAfter = 1000;
    dropped.dropConnection = true;
    server.route(u"/truncated"_s, truncated);
    server.route(u"/dropped"_s, dropped);
    for (const QString &path : {u"/truncated"_s, u"/dropped"_s})
        EXPECT_TRUE(request(path).failure<TransportError>()) << path.toStdString();
    // Qt itself resends once over a connection closed before any answer.
    EXPECT_EQ(server.requestCount(u"/truncated"_s), 1);
    EXPECT_EQ(activities.count(), 0);
}

TEST_F(Download, AVerifiedCacheIsKeptUntilVerifiedBytesReplaceIt)
{
    FileTree::writeFile(cache, archive);
    EXPECT_EQ(download().value, archive);
    EXPECT_TRUE(server.requests().isEmpty());

    FileTree::writeFile(cache, "stale");
    server.route(u"/gentool.zip"_s, {{200, {}, "tampered"}, {503, {}, archive}, {200, {}, archive}});
    for (int refused = 0; refused < 2; ++refused) {
        EXPECT_TRUE(download().failure<CorruptFileError>());
        EXPECT_EQ(readSmallFile(cache, 1024), QByteArray("stale"));
    }
    EXPECT_EQ(download().value, archive);
    EXPECT_EQ(readSmallFile(cache, 1024), archive);
    EXPECT_EQ(server.requests().size(), 3);
}

TEST_F(Download, APauseOutlivingItsClientEndsQuietly)
{
    server.route(u"/map"_s, {{503, {{"Retry-After", "1"}}}, {200}});
    Timing slowPauses = fastTiming();
    slowPauses.backOffSecond = 200ms;
    auto doomed = std::make_unique<HttpClient>(slowPauses, operation);
    // Runs detached, as the operations that use it do.
    [](HttpClient &client, QNetworkRequest request) -> QCoro::Task<> {
        try {
            co_await client.requestData(request);
        } catch (const UserFacingError &) {
        }
    }(*doomed, QNetworkRequest(server.url(u"/map"_s)));
    EXPECT_TRUE(eventually([this] { return operation.activity().contains(u"slow down"_s); }));
    doomed.reset();
    QTest::qWait(400);
    EXPECT_EQ(server.requestCount(u"/map"_s), 1) << "no request after the client is gone";
}

} // namespace
