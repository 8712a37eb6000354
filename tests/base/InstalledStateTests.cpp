#include "base/InstalledState.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>

namespace {

TEST(InstalledStateCodec, RoundTripsEveryFieldExactly)
{
    InstalledState state;
    state.velmoraVersion = QStringLiteral("1.4.2");
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

    const QByteArray file = encodeInstalledState(state);
    EXPECT_EQ(decodeInstalledState(file), state);
    // Pretty-printed with the keys in sorted order, one per line.
    const QStringList keys = QJsonDocument::fromJson(file).object().keys();
    ASSERT_EQ(keys.size(), 12);
    for (qsizetype index = 1; index < keys.size(); ++index)
        EXPECT_LT(file.indexOf(QByteArray('"' + keys[index - 1].toUtf8() + '"')),
                  file.indexOf(QByteArray('"' + keys[index].toUtf8() + '"')));
    EXPECT_EQ(file.count('\n'), 14);
}

TEST(InstalledStateCodec, DefaultsWriteOnlyTheRuntimeVersion)
{
    EXPECT_EQ(QJsonDocument::fromJson(encodeInstalledState({})).object(),
              QJsonObject({{QStringLiteral("runtimeVersion"), QStringLiteral("Wine 11.0 SSE2")}}));
}

TEST(InstalledStateCodec, ReadsMinimalRecordsIgnoringUnknownKeysAndNulls)
{
    InstalledState expected;
    expected.runtimeVersion = QStringLiteral("Custom");
    EXPECT_EQ(decodeInstalledState(R"({"runtimeVersion": "Custom", "velmoraVersion": null, "future": [1]})"), expected);
}

class RejectedRecord : public testing::TestWithParam<const char *>
{};

TEST_P(RejectedRecord, IsNotDecoded)
{
    EXPECT_FALSE(decodeInstalledState(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(InstalledStateCodec, RejectedRecord,
                         testing::Values("{}", R"({"runtimeVersion": null})", R"({"runtimeVersion": 11})", "",
                                         R"({"runtimeVersion": "x")", "[]",
                                         R"({"runtimeVersion": "x", "velmoraVersion": 1.2})",
                                         R"({"runtimeVersion": "x", "lastCheckedAt": "2024-01-01"})",
                                         R"({"runtimeVersion": "x", "lifecycleIsolationEnabled": 1})",
                                         R"({"runtimeVersion": "x", "rankedMapCount": 3.5})",
                                         R"({"runtimeVersion": "x", "rankedMapCount": 1e30})"));

} // namespace
