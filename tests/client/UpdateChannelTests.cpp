#include "app/Locations.h"
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
#include <QFile>

using namespace std::chrono_literals;

namespace {

const QByteArray archive("Velmora portable release 1.2");
const ReleaseManifest previous{QStringLiteral("1.1"), QStringLiteral("https://cdn/v11.zip"), 7, {}, {}};

ReleaseManifest release()
{
    return {QStringLiteral("1.2"), QStringLiteral("https://cdn/Velmora_portable_1.2.zip"), archive.size(),
            QStringLiteral("Fixes."), sha256(archive)};
}

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

    void serveManifest(FixtureResponse response) { server.route(QStringLiteral("/channel/manifest.json"), response); }
    void serveRelease() { serveManifest({200, {}, encodeReleaseManifest(release())}); }
};

TEST_F(UpdateChannel, AnInteractiveCheckPublishesTheReleaseAndRecordsTheTime)
{
    serveRelease();
    model.setNoticeMessage(QStringLiteral("Kept."));
    QCoro::waitFor(model.checkForUpdates(true));
    EXPECT_EQ(busyChanges, (QList<bool>{true, false}));
    EXPECT_EQ(model.activity(), QStringLiteral("Checking the official update channel…"));
    EXPECT_EQ(model.release(), release());
    EXPECT_GT(model.state().lastCheckedAt.value_or(0), 8e8) << "seconds since 2001";
    EXPECT_TRUE(Installation::readStateFile().contains("lastCheckedAt"));
    EXPECT_FALSE(model.components().isEmpty());
    EXPECT_EQ(model.errorMessage(), std::nullopt);
    EXPECT_EQ(model.noticeMessage(), QStringLiteral("Kept."));
    EXPECT_TRUE(model.hasUpdate());
}

struct FailureCase
{
    FixtureResponse response;
    const char *description;
};

class UpdateCheckFailure : public UpdateChannel, public testing::WithParamInterface<FailureCase>
{};

TEST_P(UpdateCheckFailure, IsShownOnlyWhenInteractive)
{
    serveManifest(GetParam().response);
    ModelTestAccess::setRelease(model, previous);
    model.setNoticeMessage(QStringLiteral("Kept."));

    QCoro::waitFor(model.checkForUpdates(false));
    EXPECT_TRUE(busyChanges.isEmpty());
    EXPECT_EQ(model.errorMessage(), std::nullopt);
    EXPECT_EQ(model.release(), previous);
    EXPECT_EQ(model.state().lastCheckedAt, std::nullopt);

    QCoro::waitFor(model.checkForUpdates(true));
    EXPECT_EQ(model.errorMessage(),
              QStringLiteral("Could not check for updates: ") + QString::fromUtf8(GetParam().description));
    EXPECT_EQ(busyChanges, (QList<bool>{true, false}));
    EXPECT_EQ(model.release(), previous);
    EXPECT_EQ(model.noticeMessage(), QStringLiteral("Kept."));
    EXPECT_TRUE(Installation::readStateFile().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, UpdateCheckFailure,
    testing::Values(FailureCase{{404, {}, "{}"}, "The server returned a response Tarnhold cannot read."},
                    FailureCase{{204}, "The server returned a response Tarnhold cannot read."},
                    FailureCase{{200, {}, R"({"version": "1.2", "download_url": "u", "size": "10"})"},
                                "The release manifest’s “size” is not a whole number."},
                    FailureCase{{200, {}, "not json"}, "The update channel did not answer with a release manifest."}));

TEST_F(UpdateChannel, TheBuiltInChannelFailsQuietlyWithoutContactingAnyone)
{
    EXPECT_TRUE(Catalog{}.updateChannel.host().endsWith(QStringLiteral(".invalid")));
    EXPECT_EQ(manifestURL(QUrl(QStringLiteral("https://cdn.example.invalid/velmora"))),
              QUrl(QStringLiteral("https://cdn.example.invalid/velmora/manifest.json")));

    TarnholdModel offline{std::make_unique<FakePlatform>()};
    QCoro::waitFor(offline.checkForUpdates(false));
    EXPECT_EQ(offline.errorMessage(), std::nullopt);
    QCoro::waitFor(offline.checkForUpdates(true));
    EXPECT_TRUE(offline.errorMessage().value_or(QString()).startsWith(QStringLiteral("Could not check for updates: ")));
    EXPECT_EQ(offline.release(), std::nullopt);
}

TEST_F(UpdateChannel, TheUpdatesUrlRunsAnInteractiveCheck)
{
    serveRelease();
    model.handle(QUrl(QStringLiteral("tarnhold://updates")));
    EXPECT_TRUE(model.isBusy());
    EXPECT_TRUE(eventually([this] { return !model.isBusy(); }));
    EXPECT_EQ(model.release(), release());
}

TEST_F(UpdateChannel, AModelDestroyedDuringACheckIsLeftAlone)
{
    FixtureResponse late(200, {}, encodeReleaseManifest(release()));
    late.delay = 300ms;
    serveManifest(late);
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
    const QString download = FileTree::inHome(QStringLiteral("Downloads/Velmora_portable_1.2.zip"));
    FileTree::writeFile(download, GetParam().downloaded);
    ReleaseManifest uppercase = release();
    uppercase.sha256 = uppercase.sha256.toUpper();
    serveManifest({200, {}, encodeReleaseManifest(uppercase)});

    QCoro::waitFor(model.refresh());
    EXPECT_EQ(model.state().velmoraVersion, GetParam().version);
    EXPECT_EQ(decodeInstalledState(Installation::readStateFile())->velmoraVersion, GetParam().version);
    QFile kept(download);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly)) << "the download stays where the user put it";
    EXPECT_EQ(kept.readAll(), GetParam().downloaded);
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
