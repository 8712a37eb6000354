#include "base/Locations.h"
#include "app/TarnholdModel.h"
#include "client/UpdateChannel.h"
#include "content/Sha256.h"
#include "support/FakePlatform.h"
#include "support/FileTree.h"
#include "support/FixtureServer.h"
#include "support/Installation.h"
#include "support/ModelTestAccess.h"
#include "support/Wait.h"

#include <gtest/gtest.h>

#include <QCoroTask>

using namespace std::chrono_literals;

namespace {

const QByteArray archive("Velmora portable release 1.2");
const ReleaseManifest release{QStringLiteral("1.2"), QStringLiteral("https://cdn/Velmora_portable_1.2.zip"),
                              archive.size(), QStringLiteral("Fixes."), sha256(archive)};

Catalog channelAt(const QUrl &base)
{
    Catalog catalog;
    catalog.updateChannel = base;
    return catalog;
}

class UpdateChannel : public testing::Test
{
protected:
    FixtureServer server;
    TarnholdModel model{std::make_unique<FakePlatform>(), channelAt(server.url(QStringLiteral("/channel/"))),
                        Timing{1ms, 500ms}};
    QList<bool> busyChanges;

    UpdateChannel()
    {
        QObject::connect(&model, &TarnholdModel::isBusyChanged, &model, [this] { busyChanges.append(model.isBusy()); });
    }

    void serveManifest(const QByteArray &json)
    {
        server.route(QStringLiteral("/channel/manifest.json"), {{200, {}, json}});
    }
};

TEST_F(UpdateChannel, OnlyAnInteractiveCheckShowsItselfAndBothRecordTheRelease)
{
    serveManifest(encodeReleaseManifest(release));
    QCoro::waitFor(model.checkForUpdates(false));
    EXPECT_TRUE(busyChanges.isEmpty());
    EXPECT_EQ(model.release(), release);
    EXPECT_TRUE(Installation::readStateFile().contains("lastCheckedAt"));

    ModelTestAccess::setRelease(model, std::nullopt);
    QCoro::waitFor(model.checkForUpdates(true));
    EXPECT_EQ(busyChanges, (QList<bool>{true, false}));
    EXPECT_EQ(model.activity(), QStringLiteral("Checking the official update channel…"));
    EXPECT_EQ(model.release(), release);
    EXPECT_EQ(model.errorMessage(), std::nullopt);
    EXPECT_TRUE(model.hasUpdate());
}

TEST_F(UpdateChannel, OnlyAnInteractiveCheckReportsAFailure)
{
    serveManifest(R"({"version": "1.2", "download_url": "u", "size": "10"})");
    ModelTestAccess::setRelease(model, release);
    QCoro::waitFor(model.checkForUpdates(false));
    EXPECT_TRUE(busyChanges.isEmpty());
    EXPECT_EQ(model.errorMessage(), std::nullopt);

    QCoro::waitFor(model.checkForUpdates(true));
    EXPECT_EQ(busyChanges, (QList<bool>{true, false}));
    EXPECT_EQ(model.errorMessage(),
              QStringLiteral("Could not check for updates: The release manifest’s “size” is not a whole number."));
    EXPECT_EQ(model.release(), release);
    EXPECT_TRUE(Installation::readStateFile().isEmpty());
}

TEST_F(UpdateChannel, AModelDestroyedDuringACheckIsLeftAlone)
{
    FixtureResponse late{200, {}, encodeReleaseManifest(release)};
    late.delay = 300ms;
    server.route(QStringLiteral("/channel/manifest.json"), late);
    auto doomed = std::make_unique<TarnholdModel>(std::make_unique<FakePlatform>(),
                                                  channelAt(server.url(QStringLiteral("/channel"))));
    doomed->refresh();
    EXPECT_TRUE(eventually([this] { return server.requestCount(QStringLiteral("/channel/manifest.json")) == 1; }));
    doomed.reset();
    QTest::qWait(500);
}

// What the refresh does with a release archive the user downloaded by hand.
struct AdoptionCase
{
    const char *name;
    bool launcher;
    const char *record;
    QByteArray downloaded;
    std::optional<QString> version;
};

class Adoption : public UpdateChannel, public testing::WithParamInterface<AdoptionCase>
{};

TEST_P(Adoption, RecordsOnlyAMatchingArchiveForAnUnversionedInstallation)
{
    Installation::addRuntime(Locations::currentRuntimeFolder());
    Installation::addGameFiles(Locations::managedPrefixFolder());
    if (GetParam().launcher)
        Installation::addLauncher(Locations::managedPrefixFolder());
    Installation::writeStateFile(GetParam().record);
    FileTree::writeFile(FileTree::inHome(QStringLiteral("Downloads/Velmora_portable_1.2.zip")), GetParam().downloaded);
    ReleaseManifest uppercase = release;
    uppercase.sha256 = uppercase.sha256.toUpper();
    serveManifest(encodeReleaseManifest(uppercase));

    QCoro::waitFor(model.refresh());
    EXPECT_EQ(decodeInstalledState(Installation::readStateFile())->velmoraVersion, GetParam().version);
}

INSTANTIATE_TEST_SUITE_P(
    Installations, Adoption,
    testing::Values(AdoptionCase{"Matching", true, R"({"runtimeVersion": "Wine"})", archive, QStringLiteral("1.2")},
                    AdoptionCase{"AlreadyVersioned", true, R"({"runtimeVersion": "Wine", "velmoraVersion": "1.0"})",
                                 archive, QStringLiteral("1.0")},
                    AdoptionCase{"NoLauncher", false, R"({"runtimeVersion": "Wine"})", archive, std::nullopt},
                    AdoptionCase{"OtherBytes", true, R"({"runtimeVersion": "Wine"})", "tampered", std::nullopt}),
    [](const testing::TestParamInfo<AdoptionCase> &info) { return info.param.name; });

} // namespace
