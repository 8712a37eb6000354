#include "client/ReleaseManifest.h"

#include <gtest/gtest.h>

namespace {

class ReleaseManifestFailure : public testing::TestWithParam<std::pair<const char *, const char *>>
{};

TEST_P(ReleaseManifestFailure, ReportsTheFirstKeyAtFault)
{
    QString description;
    try {
        decodeReleaseManifest(GetParam().first);
    } catch (const ReleaseManifestError &error) {
        description = error.description();
    }
    EXPECT_EQ(description, QString::fromUtf8(GetParam().second));
}

INSTANTIATE_TEST_SUITE_P(
    Bodies, ReleaseManifestFailure,
    testing::Values(
        std::pair{"<html>Not here</html>", "The update channel did not answer with a release manifest."},
        std::pair{R"(["version"])", "The update channel did not answer with a release manifest."},
        std::pair{R"({"version": 12, "size": "big"})", "The release manifest’s “version” is not text."},
        std::pair{R"({"version": "1.2", "download_url": null, "size": "big"})",
                  "The release manifest has no “download_url”."},
        std::pair{R"({"version": "1.2", "download_url": "u", "size": 1.5, "release_notes": "", "sha256": ""})",
                  "The release manifest’s “size” is not a whole number."},
        std::pair{R"({"version": "1.2", "download_url": "u", "size": 10, "sha256": "ab"})",
                  "The release manifest has no “release_notes”."},
        std::pair{R"({"version": "1.2", "download_url": "u", "size": 10, "release_notes": "", "sha256": ["ab"]})",
                  "The release manifest’s “sha256” is not text."}));

TEST(ReleaseManifest, TrimsOnlyTheChecksumAndWritesTheChannelsKeyOrder)
{
    const ReleaseManifest manifest = decodeReleaseManifest(R"({"version": " 1.2 ", "download_url": "https://x/v.zip",
        "size": 9007199254740993, "release_notes": "Fixes\n", "sha256": "  ab\n", "mirror": 7})");
    EXPECT_EQ(manifest, (ReleaseManifest{QStringLiteral(" 1.2 "), QStringLiteral("https://x/v.zip"), 9007199254740993,
                                         QStringLiteral("Fixes\n"), QStringLiteral("ab")}));
    EXPECT_EQ(encodeReleaseManifest(manifest),
              QByteArray(R"({"version":" 1.2 ","size":9007199254740993,"download_url":"https://x/v.zip",)"
                         R"("release_notes":"Fixes\n","sha256":"ab"})"));
}

} // namespace
