#include "app/InstalledState.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>

namespace {

InstalledState fullState()
{
    InstalledState state;
    state.velmoraVersion = QStringLiteral("1.4.2");
    state.runtimeVersion = QStringLiteral("Wine 11.0 SSE2");
    state.lastCheckedAt = 786'543'210.123456789;
    state.lifecycleIsolationEnabled = false;
    state.preservedLegacyVersion = QStringLiteral("1.3.0");
    state.controlBarVersion = QStringLiteral("1.2");
    state.controlBarRevision = QStringLiteral("r7");
    state.controlBarResolution = QStringLiteral("2560 × 1440");
    state.genToolVersion = QStringLiteral("8.9");
    state.rankedMapsRevision = QStringLiteral("0123456789abcdef0123456789abcdef01234567");
    state.rankedMapCount = 42;
    state.includeCommunityThreePlayerMaps = true;
    return state;
}

TEST(InstalledStateCodec, RoundTripsEveryFieldExactly)
{
    const InstalledState state = fullState();
    const std::optional<InstalledState> decoded = decodeInstalledState(encodeInstalledState(state));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(*decoded, state);
    // Dates are kept as the double that was read.
    EXPECT_EQ(decoded->lastCheckedAt, state.lastCheckedAt);
}

TEST(InstalledStateCodec, WritesSortedPrettyKeysAndLeavesAbsentFieldsOut)
{
    const QByteArray defaults = encodeInstalledState(InstalledState{});
    EXPECT_EQ(QJsonDocument::fromJson(defaults).object().keys(), QStringList{QStringLiteral("runtimeVersion")});
    EXPECT_FALSE(defaults.contains("null"));

    const QByteArray full = encodeInstalledState(fullState());
    EXPECT_GT(full.count('\n'), 10) << "one key per line";
    const QStringList keys = QJsonDocument::fromJson(full).object().keys();
    EXPECT_EQ(keys.size(), 12);
    qsizetype previous = -1;
    for (const QString &key : keys) {
        const qsizetype position = full.indexOf(QByteArray('"' + key.toUtf8() + "\":"));
        EXPECT_GT(position, previous) << key.toStdString() << " out of order in the file";
        previous = position;
    }
}

TEST(InstalledStateCodec, AcceptsTheMinimalRecordAndIgnoresUnknownKeys)
{
    const auto decoded = decodeInstalledState(R"({"runtimeVersion": "Custom", "futureKey": [1, 2]})");
    ASSERT_TRUE(decoded);
    InstalledState expected;
    expected.runtimeVersion = QStringLiteral("Custom");
    EXPECT_EQ(*decoded, expected);
}

TEST(InstalledStateCodec, TreatsNullAsAbsent)
{
    const auto decoded = decodeInstalledState(R"({"runtimeVersion": "x", "velmoraVersion": null})");
    ASSERT_TRUE(decoded);
    EXPECT_FALSE(decoded->velmoraVersion);
}

class RejectedRecord : public testing::TestWithParam<const char *>
{};

TEST_P(RejectedRecord, IsNotDecoded)
{
    EXPECT_FALSE(decodeInstalledState(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(InstalledStateCodec, RejectedRecord,
                         testing::Values("{}", R"({"runtimeVersion": null})", R"({"runtimeVersion": 11})", "",
                                         R"({"runtimeVersion": "x")", "[]", "\"text\"", "not json at all",
                                         R"({"runtimeVersion": "x", "velmoraVersion": 1.2})",
                                         R"({"runtimeVersion": "x", "lastCheckedAt": "2024-01-01"})",
                                         R"({"runtimeVersion": "x", "lifecycleIsolationEnabled": 1})",
                                         R"({"runtimeVersion": "x", "rankedMapCount": 3.5})",
                                         R"({"runtimeVersion": "x", "rankedMapCount": "12"})",
                                         R"({"runtimeVersion": "x", "rankedMapCount": 1e30})",
                                         R"({"runtimeVersion": "x", "includeCommunityThreePlayerMaps": "yes"})"));

} // namespace
