#include "client/ReleaseManifest.h"

#include <gtest/gtest.h>

namespace {

TEST(ReleaseManifest, AFailureNamesTheFirstKeyAtFault)
{
    const std::pair<const char *, const char *> bodies[] = {
        {"<html>Not here</html>", "The update channel did not answer with a release manifest."},
        {R"({"version": 12, "size": "big"})", "The release manifest’s “version” is not text."},
        {R"({"version": "1.2", "download_url": null, "size": "big"})", "The release manifest has no “download_url”."},
        {R"({"version": "1.2", "download_url": "u", "size": 1.5, "release_notes": "", "sha256": ""})",
         "The release manifest’s “size” is not a whole number."},
        {R"({"version": "1.2", "download_url": "u", "size": 10, "sha256": "ab"})",
         "The release manifest has no “release_notes”."},
        {R"({"version": "1.2", "download_url": "u", "size": 10, "release_notes": "", "sha256": ["ab"]})",
         "The release manifest’s “sha256” is not text."},
    };
    for (const auto &[body, expected] : bodies) {
        QString description;
        try {
            decodeReleaseManifest(body);
        } catch (const ReleaseManifestError &error) {
            description = error.description();
        }
        EXPECT_EQ(description, QString::fromUtf8(expected)) << body;
    }
}

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
