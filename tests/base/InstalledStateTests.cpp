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
    EXPECT_EQ(file, QJsonDocument::fromJson(file).toJson(QJsonDocument::Indented));
}

TEST(InstalledStateCodec, ReadsMinimalRecordsIgnoringUnknownKeysAndNulls)
{
    InstalledState expected;
    expected.runtimeVersion = QStringLiteral("Custom");
    EXPECT_EQ(decodeInstalledState(R"({"runtimeVersion": "Custom", "velmoraVersion": null, "future": [1]})"), expected);
}

TEST(InstalledStateCodec, RejectsRecordsWithoutARuntimeVersionOrWithAFieldOfTheWrongType)
{
    for (const char *record :
         {"{}", R"({"runtimeVersion": null})", R"({"runtimeVersion": 11})", "", R"({"runtimeVersion": "x")", "[]",
          R"({"runtimeVersion": "x", "velmoraVersion": 1.2})",
          R"({"runtimeVersion": "x", "lastCheckedAt": "2024-01-01"})",
          R"({"runtimeVersion": "x", "lifecycleIsolationEnabled": 1})",
          R"({"runtimeVersion": "x", "rankedMapCount": 3.5})", R"({"runtimeVersion": "x", "rankedMapCount": 1e30})"})
        EXPECT_FALSE(decodeInstalledState(record)) << record;
}

} // namespace
