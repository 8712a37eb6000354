#include "client/ReleaseManifest.h"

#include <gtest/gtest.h>

namespace {

QString decodingFailure(const QByteArray &json)
{
    try {
        decodeReleaseManifest(json);
    } catch (const ReleaseManifestError &error) {
        return error.description();
    }
    return {};
}

TEST(ReleaseManifestDecoding, TrimsOnlyTheChecksumAndIgnoresOtherKeys)
{
    const ReleaseManifest manifest = decodeReleaseManifest(R"({"version": " 1.2 ", "download_url": "https://x/v.zip",
        "size": 9007199254740993, "release_notes": "Fixes\n", "sha256": "  ABCDEF\n", "mirror": 7})");
    EXPECT_EQ(manifest, (ReleaseManifest{QStringLiteral(" 1.2 "), QStringLiteral("https://x/v.zip"), 9007199254740993,
                                         QStringLiteral("Fixes\n"), QStringLiteral("ABCDEF")}));
}

struct FailureCase
{
    const char *json;
    const char *description;
};

class ReleaseManifestFailure : public testing::TestWithParam<FailureCase>
{};

TEST_P(ReleaseManifestFailure, ReportsTheFirstKeyAtFault)
{
    EXPECT_EQ(decodingFailure(GetParam().json), QString::fromUtf8(GetParam().description));
}

INSTANTIATE_TEST_SUITE_P(
    Bodies, ReleaseManifestFailure,
    testing::Values(
        FailureCase{"<html>Not here</html>", "The update channel did not answer with a release manifest."},
        FailureCase{R"(["version"])", "The update channel did not answer with a release manifest."},
        FailureCase{"{}", "The release manifest has no “version”."},
        FailureCase{R"({"version": 12, "size": "big"})", "The release manifest’s “version” is not text."},
        FailureCase{R"({"version": "1.2", "download_url": null, "size": "big"})",
                    "The release manifest has no “download_url”."},
        FailureCase{R"({"version": "1.2", "download_url": "u", "size": "10", "sha256": 5})",
                    "The release manifest’s “size” is not a whole number."},
        FailureCase{R"({"version": "1.2", "download_url": "u", "size": 1.5, "release_notes": "", "sha256": ""})",
                    "The release manifest’s “size” is not a whole number."},
        FailureCase{R"({"version": "1.2", "download_url": "u", "size": 10, "sha256": "ab"})",
                    "The release manifest has no “release_notes”."},
        FailureCase{R"({"version": "1.2", "download_url": "u", "size": 10, "release_notes": "", "sha256": ["ab"]})",
                    "The release manifest’s “sha256” is not text."}));

TEST(ReleaseManifestEncoding, WritesTheChannelsKeyOrderAndRoundTrips)
{
    const ReleaseManifest manifest{QStringLiteral("1.2"), QStringLiteral("https://x/v.zip"), 42,
                                   QStringLiteral("Notes"), QStringLiteral("ab")};
    const QByteArray json = encodeReleaseManifest(manifest);
    EXPECT_EQ(json, QByteArray(R"({"version":"1.2","size":42,"download_url":"https://x/v.zip",)"
                               R"("release_notes":"Notes","sha256":"ab"})"));
    EXPECT_EQ(decodeReleaseManifest(json), manifest);
}

} // namespace
