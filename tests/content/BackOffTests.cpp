#include "content/BackOff.h"
#include "content/DownloadError.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct RetryAfterCase
{
    const char *header;
    std::optional<double> seconds;
};

class RetryAfter : public testing::TestWithParam<RetryAfterCase>
{};

TEST_P(RetryAfter, ParsesOnlyAWholeDecimalNumber)
{
    EXPECT_EQ(BackOff::parseRetryAfter(GetParam().header), GetParam().seconds);
}

INSTANTIATE_TEST_SUITE_P(Values, RetryAfter,
                         testing::Values(RetryAfterCase{"3", 3.0}, RetryAfterCase{" \t2.5\t ", 2.5},
                                         RetryAfterCase{"+4", 4.0}, RetryAfterCase{"1e1", 10.0},
                                         RetryAfterCase{"-1", -1.0}, RetryAfterCase{"", std::nullopt},
                                         RetryAfterCase{" \t ", std::nullopt}, RetryAfterCase{"soon", std::nullopt},
                                         RetryAfterCase{"Wed, 21 Oct 2015 07:28:00 GMT", std::nullopt},
                                         RetryAfterCase{"\n3", std::nullopt}, RetryAfterCase{"3\r\n", std::nullopt},
                                         RetryAfterCase{"1,5", std::nullopt}, RetryAfterCase{"0x10", std::nullopt},
                                         RetryAfterCase{"+-3", std::nullopt}, RetryAfterCase{"3 s", std::nullopt}));

TEST(BackOffPause, TakesTheServersValueUpToTwoMinutes)
{
    EXPECT_DOUBLE_EQ(BackOff::pause(QByteArray("3"), 4), 3);
    EXPECT_DOUBLE_EQ(BackOff::pause(QByteArray("0"), 2), 0);
    EXPECT_DOUBLE_EQ(BackOff::pause(QByteArray("600"), 0), 120);
    EXPECT_DOUBLE_EQ(BackOff::pause(QByteArray("inf"), 0), 120);
}

TEST(BackOffPause, FallsBackByAttemptForUnusableValues)
{
    for (const std::optional<QByteArray> &header :
         {std::optional<QByteArray>(), std::optional<QByteArray>("-1"), std::optional<QByteArray>("nan"),
          std::optional<QByteArray>("later")}) {
        std::vector<double> pauses;
        for (int attempt = 0; attempt < BackOff::retryLimit; ++attempt)
            pauses.push_back(BackOff::pause(header, attempt));
        EXPECT_EQ(pauses, (std::vector<double>{5, 10, 20, 40, 60})) << header.value_or("(none)").constData();
    }
}

TEST(BackOffAnnouncement, NamesTheWholeSecondsOfThePause)
{
    EXPECT_EQ(BackOff::announcement(QStringLiteral("cnclabs.com"), 2.9),
              QStringLiteral("cnclabs.com asked Tarnhold to slow down. Waiting 2 s before retrying…"));
    EXPECT_EQ(BackOff::announcement(QStringLiteral("cnclabs.com"), 120),
              QStringLiteral("cnclabs.com asked Tarnhold to slow down. Waiting 120 s before retrying…"));
}

TEST(BackOffStatuses, OnlyTooManyRequestsAndUnavailableAreRetried)
{
    for (const int status : {429, 503})
        EXPECT_TRUE(BackOff::asksToSlowDown(status));
    for (const int status : {200, 204, 304, 404, 500, 502})
        EXPECT_FALSE(BackOff::asksToSlowDown(status));
}

TEST(DownloadErrorText, AdvisesWaitingOnlyWhenRequestsAreLimited)
{
    const DownloadError limited = DownloadError::serverStatus(QStringLiteral("cnclabs.com"), 429);
    EXPECT_EQ(limited.description(), QStringLiteral("cnclabs.com answered with HTTP 429. It is limiting requests; "
                                                    "wait a minute and retry. Finished downloads are kept."));
    EXPECT_EQ(limited.host(), QStringLiteral("cnclabs.com"));
    EXPECT_EQ(limited.status(), 429);
    EXPECT_EQ(
        DownloadError::serverStatus(QStringLiteral("the download server"), 503).description(),
        QStringLiteral("the download server answered with HTTP 503. Retry in a moment; finished downloads are kept."));
}

} // namespace
