#include "content/DownloadError.h"
#include "content/DownloadFixture.h"
#include "content/TransferErrors.h"
#include "support/Wait.h"

namespace {

const QString slowDown = QStringLiteral("127.0.0.1 asked Tarnhold to slow down. Waiting %1 s before retrying…");

FixtureResponse answer(int status, FixtureHeaders headers = {}, QByteArray body = {})
{
    return {status, std::move(headers), std::move(body)};
}

using RequestData = DownloadTest;

TEST_F(RequestData, WaitsAsLongAsTheServerAsksThenSucceeds)
{
    server.route(QStringLiteral("/map"),
                 {answer(503, {{"Retry-After", "3"}}), answer(200, {{"X-Map", "Fortress"}}, "map bytes")});
    const HttpResponse response = request(QStringLiteral("/map"));
    EXPECT_EQ(response.body, QByteArray("map bytes"));
    EXPECT_EQ(response.header("x-map"), QByteArray("Fortress"));
    EXPECT_EQ(activities, QStringList{slowDown.arg(3)});
    EXPECT_EQ(server.requestCount(QStringLiteral("/map")), 2);
}

TEST_F(RequestData, CapsTheServersPauseAtTwoMinutes)
{
    server.route(QStringLiteral("/map"), {answer(429, {{"retry-after", "600"}}), answer(200)});
    request(QStringLiteral("/map"));
    EXPECT_EQ(activities, QStringList{slowDown.arg(120)});
}

class UnusableRetryAfter : public DownloadTest, public testing::WithParamInterface<const char *>
{};

TEST_P(UnusableRetryAfter, FallsBackToDoublingPauses)
{
    const FixtureResponse busy = answer(503, {{"Retry-After", GetParam()}});
    server.route(QStringLiteral("/map"), {busy, busy, busy, busy, busy, answer(200, {}, "done")});
    EXPECT_EQ(request(QStringLiteral("/map")).body, QByteArray("done"));
    EXPECT_EQ(activities,
              (QStringList{slowDown.arg(5), slowDown.arg(10), slowDown.arg(20), slowDown.arg(40), slowDown.arg(60)}));
}

INSTANTIATE_TEST_SUITE_P(Headers, UnusableRetryAfter,
                         testing::Values("-1", "soon", "Wed, 21 Oct 2015 07:28:00 GMT", "nan"));

TEST_F(RequestData, GivesUpAfterTheSixthRefusal)
{
    server.route(QStringLiteral("/map"), answer(429));
    const auto [description, type] = failure(ModelTestAccess::requestData(model, QNetworkRequest(server.url("/map"))));
    EXPECT_EQ(description, QStringLiteral("127.0.0.1 answered with HTTP 429. It is limiting requests; wait a minute "
                                          "and retry. Finished downloads are kept."));
    EXPECT_EQ(activities.size(), 5);
    EXPECT_EQ(server.requestCount(QStringLiteral("/map")), 6);
}

class UnusableStatus : public DownloadTest, public testing::WithParamInterface<int>
{};

TEST_P(UnusableStatus, FailsAtOnceWithoutAPause)
{
    server.route(QStringLiteral("/map"), answer(GetParam(), {{"Retry-After", "1"}}));
    const auto [description, type] = failure(ModelTestAccess::requestData(model, QNetworkRequest(server.url("/map"))));
    EXPECT_EQ(description, QStringLiteral("127.0.0.1 answered with HTTP %1. Retry in a moment; finished downloads "
                                          "are kept.")
                               .arg(GetParam()));
    EXPECT_EQ(type, QString::fromLatin1(typeid(DownloadError).name()));
    EXPECT_TRUE(activities.isEmpty());
    EXPECT_EQ(server.requestCount(QStringLiteral("/map")), 1);
}

INSTANTIATE_TEST_SUITE_P(Statuses, UnusableStatus, testing::Values(404, 500, 204, 206, 304));

// Transfers that break are the network's failure, reported as such and never retried.
TEST_F(RequestData, BrokenTransfersFailWithoutRetrying)
{
    FixtureResponse truncated = answer(200, {}, QByteArray(100000, 'x'));
    truncated.truncateAfter = 1000;
    FixtureResponse dropped;
    dropped.dropConnection = true;
    FixtureResponse stalled = answer(503, {}, "late");
    stalled.delay = 3s;
    server.route(QStringLiteral("/truncated"), truncated);
    server.route(QStringLiteral("/dropped"), dropped);
    server.route(QStringLiteral("/stalled"), stalled);
    server.route(QStringLiteral("/loop"), answer(302, {{"Location", "/loop"}}));

    for (const QString &path : {QStringLiteral("/truncated"), QStringLiteral("/dropped"), QStringLiteral("/stalled"),
                                QStringLiteral("/loop")}) {
        const auto [description, type] =
            failure(ModelTestAccess::requestData(model, QNetworkRequest(server.url(path))));
        EXPECT_EQ(type, QString::fromLatin1(typeid(TransportError).name())) << path.toStdString();
        EXPECT_FALSE(description.isEmpty()) << path.toStdString();
    }
    EXPECT_EQ(server.requestCount(QStringLiteral("/truncated")), 1);
    EXPECT_EQ(server.requestCount(QStringLiteral("/stalled")), 1);
    EXPECT_TRUE(activities.isEmpty());
}

TEST_F(RequestData, FollowsRedirectsAndSendsTheCallersHeaders)
{
    server.route(QStringLiteral("/old"), answer(301, {{"Location", "/new"}}));
    server.route(QStringLiteral("/new"), answer(200, {}, "moved"));
    QNetworkRequest moved(server.url(QStringLiteral("/old")));
    moved.setRawHeader("User-Agent", "Tarnhold/0.3.1");
    const HttpResponse response = succeeded(ModelTestAccess::requestData(model, moved));
    EXPECT_EQ(response.body, QByteArray("moved"));
    EXPECT_EQ(response.url, server.url(QStringLiteral("/new")));
    ASSERT_EQ(server.requests().size(), 2);
    EXPECT_EQ(server.requests().first().header("user-agent"), QByteArray("Tarnhold/0.3.1"));
}

TEST_F(RequestData, APauseOutlivingItsModelEndsQuietly)
{
    server.route(QStringLiteral("/map"), {answer(503, {{"Retry-After", "1"}}), answer(200)});
    auto doomed = std::make_unique<TarnholdModel>(std::make_unique<FakePlatform>(), Catalog{}, Timing{200ms, 500ms});
    // Runs detached, as the operations that use it do.
    [](TarnholdModel &model, QNetworkRequest request) -> QCoro::Task<> {
        try {
            co_await ModelTestAccess::requestData(model, request);
        } catch (const UserFacingError &) {
        }
    }(*doomed, QNetworkRequest(server.url(QStringLiteral("/map"))));
    EXPECT_TRUE(eventually([&doomed] { return doomed->activity().contains(QStringLiteral("slow down")); }));
    doomed.reset();
    QTest::qWait(400);
    EXPECT_EQ(server.requestCount(QStringLiteral("/map")), 1) << "no request after the model is gone";
}

TEST_F(RequestData, SurvivesAHugeHeader)
{
    server.route(QStringLiteral("/huge"), answer(200, {{"X-Padding", QByteArray(1 << 20, 'a')}}, "small"));
    const auto [description, type] = failure(ModelTestAccess::requestData(model, QNetworkRequest(server.url("/huge"))));
    // Qt may refuse a header this size; either way the call ends.
    EXPECT_TRUE(description.isEmpty() || type == QString::fromLatin1(typeid(TransportError).name()))
        << description.toStdString();
}

} // namespace
