#include "base/Locations.h"
#include "client/UpdateChannel.h"
#include "content/Sha256.h"
#include "support/FileTree.h"
#include "support/Installation.h"
#include "support/TestServices.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

namespace {

using namespace Qt::StringLiterals;

const QByteArray archive("Velmora portable release 1.2");
const ReleaseManifest release{u"1.2"_s, u"https://cdn/Velmora_portable_1.2.zip"_s, archive.size(), u"Fixes."_s,
                              sha256(archive)};

class UpdateChannelTest : public testing::Test, protected TestServices
{
protected:
    UpdateChannel channel{services(), operation};
    QSignalSpy busyChanges{&operation, &OperationState::isBusyChanged};

    void serveManifest(const QByteArray &json) { server.route(u"/channel/manifest.json"_s, {{200, {}, json}}); }
    void check(bool showActivity) { QCoro::waitFor(channel.check(showActivity)); }
};

// The menu command stays enabled while another operation runs; its check
// must not end that operation's busy spell or replace its activity.
TEST_F(UpdateChannelTest, OnlyAnInteractiveCheckShowsItselfOrItsFailure)
{
    serveManifest(encodeReleaseManifest(release));
    check(false);
    EXPECT_EQ(channel.release(), release);
    EXPECT_TRUE(Installation::readStateFile().contains("lastCheckedAt"));
    serveManifest(R"({"version": "1.3", "download_url": "u", "size": "10"})");
    check(false);
    EXPECT_EQ(busyChanges.count(), 0);
    EXPECT_EQ(operation.errorMessage(), std::nullopt);

    check(true);
    EXPECT_EQ(busyChanges.count(), 2);
    EXPECT_EQ(operation.activity(), u"Checking the official update channel…"_s);
    EXPECT_EQ(operation.errorMessage(),
              u"Could not check for updates: The release manifest’s “size” is not a whole number."_s);
    EXPECT_EQ(channel.release(), release) << "a failed check keeps the release seen before";

    operation.setErrorMessage(std::nullopt);
    EXPECT_TRUE(operation.begin(InstallerPhase::community, 0.3, u"Installing maps…"_s));
    for (const QByteArray &manifest : {encodeReleaseManifest(release), QByteArray("not a manifest")}) {
        serveManifest(manifest);
        check(true);
        EXPECT_EQ(busyChanges.count(), 3) << "still busy";
        EXPECT_EQ(operation.activity(), u"Installing maps…"_s);
        EXPECT_EQ(operation.errorMessage().has_value(), manifest.startsWith("not"));
    }
}

// What the refresh does with a release archive the user downloaded by hand.
TEST_F(UpdateChannelTest, AdoptsOnlyAMatchingArchiveForAnUnversionedInstallation)
{
    ReleaseManifest uppercase = release;
    uppercase.sha256 = uppercase.sha256.toUpper();
    serveManifest(encodeReleaseManifest(uppercase));
    check(false);
    Installation::addRuntime(Locations::currentRuntimeFolder());
    Installation::addGameFiles(Locations::managedPrefixFolder());
    const auto adopted = [this](bool launcher, const QByteArray &downloaded) {
        if (launcher)
            Installation::addLauncher(Locations::managedPrefixFolder());
        FileTree::writeFile(FileTree::inHome(u"Downloads/Velmora_portable_1.2.zip"_s), downloaded);
        QCoro::waitFor(channel.adoptKnownLocalReleaseIfPossible());
        return record.state().velmoraVersion;
    };
    EXPECT_EQ(adopted(false, archive), std::nullopt) << "not installed";
    EXPECT_EQ(adopted(true, "tampered"), std::nullopt);
    EXPECT_EQ(adopted(true, archive), u"1.2"_s);
    EXPECT_EQ(decodeInstalledState(Installation::readStateFile())->velmoraVersion, u"1.2"_s);

    InstalledState versioned = record.state();
    versioned.velmoraVersion = u"1.0"_s;
    record.setState(versioned);
    EXPECT_EQ(adopted(true, archive), u"1.0"_s);
}

} // namespace
