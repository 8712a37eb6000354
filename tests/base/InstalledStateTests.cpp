#include "base/InstalledState.h"

#include <gtest/gtest.h>

#include <QJsonDocument>

namespace {

// Every key as the file names it is read, and written back unchanged:
// pretty-printed with the keys in sorted order.
TEST(InstalledStateCodec, RoundTripsEveryFieldExactlyAndRefusesAMissingOrMistypedOne)
{
    const QByteArray file = R"({"controlBarResolution": "2560 × 1440", "controlBarRevision": "r7",
        "controlBarVersion": "1.2", "genToolVersion": "8.9", "includeCommunityThreePlayerMaps": true,
        "lastCheckedAt": 786543210.123456789, "lifecycleIsolationEnabled": false, "preservedLegacyVersion": "1.3.0",
        "rankedMapCount": 42, "rankedMapsRevision": "0123456789abcdef0123456789abcdef01234567",
        "runtimeVersion": "Custom", "velmoraVersion": "1.4.2"})";
    const std::optional<InstalledState> state = decodeInstalledState(file);
    ASSERT_TRUE(state);
    EXPECT_EQ(encodeInstalledState(*state), QJsonDocument::fromJson(file).toJson(QJsonDocument::Indented));

    // Only the runtime version is required; unknown keys and nulls are
    // skipped, while a field of the wrong type spoils the whole record.
    InstalledState minimal;
    minimal.runtimeVersion = QStringLiteral("Custom");
    EXPECT_EQ(decodeInstalledState(R"({"runtimeVersion": "Custom", "velmoraVersion": null, "future": [1]})"), minimal);
    for (const char *record :
         {"{}", R"({"runtimeVersion": null})", R"({"runtimeVersion": 11})", "", R"({"runtimeVersion": "x")", "[]",
          R"({"runtimeVersion": "x", "velmoraVersion": 1.2})",
          R"({"runtimeVersion": "x", "lastCheckedAt": "2024-01-01"})",
          R"({"runtimeVersion": "x", "lifecycleIsolationEnabled": 1})",
          R"({"runtimeVersion": "x", "rankedMapCount": 3.5})", R"({"runtimeVersion": "x", "rankedMapCount": 1e30})"})
        EXPECT_FALSE(decodeInstalledState(record)) << record;
}

} // namespace
