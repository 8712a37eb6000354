#include "base/Locations.h"
#include "content/CommunityContent.h"
#include "content/TransferErrors.h"
#include "support/CommunityWorld.h"
#include "support/FileTree.h"
#include "support/Installation.h"
#include "support/TestServices.h"
#include "support/Wait.h"
#include "support/WineRuntimeFixture.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QJsonDocument>
#include <QProcess>
#include <QSet>
#include <QSignalSpy>

namespace {

using namespace Qt::StringLiterals;

class CommunityContentTest : public testing::Test, protected TestServices
{
protected:
    CommunityWorld world{server, catalog};
    CommunityContent community{services(), operation};
    const QString game = Locations::gameFolder(Locations::managedPrefixFolder());
    const QDir maps{Locations::gameMapsFolder()};
    QStringList activities;

    CommunityContentTest()
    {
        world.serveEverything();
        Installation::addReadyInstallation();
        record.load();
        QObject::connect(&operation, &OperationState::activityChanged,
                         [this] { activities.append(operation.activity()); });
    }

    void includeThreePlayerMaps(bool included)
    {
        InstalledState state = record.state();
        state.includeCommunityThreePlayerMaps = included;
        record.setState(state);
    }

    // Runs the user's command to its end.
    void restore()
    {
        activities.clear();
        QSignalSpy busyChanges(&operation, &OperationState::isBusyChanged);
        community.installCommunityContent();
        ASSERT_TRUE(eventually([&] { return busyChanges.count() == 2; }));
    }

    static QStringList managedMaps()
    {
        return QJsonDocument::fromJson(FileTree::readFile(Locations::managedMapListFile())).toVariant().toStringList();
    }
    QStringList mapsInGame() const
    {
        return maps.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    }
};

TEST_F(CommunityContentTest, RestoresTheWholeProfileAndKeepsThePlayersOwnMaps)
{
    includeThreePlayerMaps(true);
    FileTree::writeFile(maps.filePath(u"My Map/My Map.map"_s), "mine");
    FileTree::writeFile(maps.filePath(u"MapCache.ini"_s), "stale");
    FileTree::writeFile(Locations::gameDataFolder() + u"/VelmoraData/settings.json"_s,
                        R"({"volume": 3, "data_packs": {"hd_textures": false, "use_community_data_patch": false}})");
    QList<double> progress;
    QObject::connect(&operation, &OperationState::progressChanged, [&] { progress.append(operation.progress()); });
    restore();

    EXPECT_EQ(operation.errorMessage(), std::nullopt);
    EXPECT_EQ(operation.installerPhase(), InstallerPhase::complete);
    EXPECT_EQ(operation.noticeMessage(),
              u"The official Community Data Patch, current ranked maps, Control Bar Pro and GenTool are installed. "
              "Generated map data will refresh on the next launch."_s);
    EXPECT_EQ(activities,
              (QStringList{
                  u"Restoring the official multiplayer profile…"_s, u"Downloading the current ranked map release…"_s,
                  u"Downloading verified three-player maps…"_s, u"Downloading three-player map 1 of 2: Three Alpha…"_s,
                  u"Downloading three-player map 2 of 2: Three Beta…"_s, u"Downloading Control Bar Pro and GenTool…"_s,
                  u"Installing maps and the high-resolution interface…"_s, u"Installed 12 maps and Control Bar Pro"_s,
                  u"Multiplayer profile restored"_s}));
    // It advances through every phase and never goes back.
    EXPECT_GE(QSet(progress.begin(), progress.end()).size(), 5);
    EXPECT_TRUE(std::ranges::is_sorted(progress));

    QStringList installed =
        CommunityWorld::rankedMapNames() + CommunityWorld::officialMapNames() + CommunityWorld::threePlayerMapNames();
    installed.sort(Qt::CaseInsensitive);
    EXPECT_EQ(managedMaps(), installed);
    QStringList inGame = installed + QStringList{u"My Map"_s};
    inGame.sort(Qt::CaseInsensitive);
    EXPECT_EQ(mapsInGame(), inGame);
    EXPECT_FALSE(maps.exists(u"MapCache.ini"_s));
    EXPECT_TRUE(QFileInfo::exists(game + u"/340_ControlBarPro1440ZH.big"_s));
    EXPECT_EQ(
        FileTree::readFile(Locations::gameDataFolder() + u"/VelmoraGameData/500_900_CommunityPatch_CoreINI.big"_s),
        CommunityWorld::dataPatch);
    EXPECT_EQ(
        QJsonDocument::fromJson(FileTree::readFile(Locations::gameDataFolder() + u"/VelmoraData/settings.json"_s)),
        QJsonDocument::fromJson(
            R"({"volume": 3, "data_packs": {"hd_textures": false, "use_community_data_patch": true}})"));

    InstallationRecord saved;
    saved.load();
    const InstalledState state = saved.state();
    EXPECT_EQ(state.controlBarVersion, u"1.2"_s);
    EXPECT_EQ(state.controlBarRevision, catalog.controlBar.interface1440);
    EXPECT_EQ(state.controlBarResolution, u"2560 × 1440"_s);
    EXPECT_EQ(state.genToolVersion, u"8.9"_s);
    EXPECT_EQ(state.rankedMapCount, 8);
    EXPECT_TRUE(state.lastCheckedAt);
}

// With warm caches only GitHub is asked; the maps installed before, the
// three-player ones included, go to the Trash as one folder, and the
// interface files already in place are not copied again.
TEST_F(CommunityContentTest, ARepeatedInstallationAsksGitHubOnlyAndTrashesTheMapsBefore)
{
    includeThreePlayerMaps(true);
    restore();
    const QString installedFile = game + u"/340_ControlBarPro1440ZH.big"_s;
    const auto marked = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
    ASSERT_TRUE(QFile::setPermissions(installedFile, marked));
    const qsizetype requestsBefore = server.requests().size();

    includeThreePlayerMaps(false);
    restore();
    EXPECT_EQ(operation.errorMessage(), std::nullopt);
    const QList<FixtureRequest> requests = server.requests().mid(requestsBefore);
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests.first().path, CommunityWorld::rankedCommitPath);
    EXPECT_TRUE(QFile::permissions(installedFile).testFlag(QFileDevice::ExeOwner)) << "copied again";
    EXPECT_TRUE(activities.contains(u"Installed 10 maps and Control Bar Pro"_s));
    for (const QString &map : CommunityWorld::threePlayerMapNames())
        EXPECT_FALSE(maps.exists(map));
    ASSERT_EQ(platform.trashed.size(), 1);
    const QDir holding(QDir::home().filePath(u"Trash/"_s + QFileInfo(platform.trashed.first()).fileName()));
    EXPECT_EQ(holding.entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 12);
}

// A game another Tarnhold started is found among the prefix's Wine processes.
TEST_F(CommunityContentTest, GuardsStartNothing)
{
    const WineRuntimeFixture wine(Locations::currentRuntimeFolder());
    wine.setScenario("program=hang");
    QProcess elsewhere;
    elsewhere.start(wine.wine(), {u"C:\\GeneralsZH\\generals.exe"_s});
    ASSERT_TRUE(elsewhere.waitForStarted());
    community.installCommunityContent();
    ASSERT_TRUE(eventually([this] { return !operation.isBusy(); }));
    EXPECT_EQ(operation.errorMessage(), u"Quit Velmora before changing its interface or maps."_s);
    elsewhere.kill();
    elsewhere.waitForFinished();

    QFile::remove(game + u"/Generals.exe"_s);
    community.installCommunityContent();
    EXPECT_EQ(operation.errorMessage(), u"Install the original game before restoring its multiplayer profile."_s);
    EXPECT_FALSE(operation.isBusy());
    EXPECT_TRUE(server.requests().isEmpty());
}

// Nothing is undone and nothing is deleted: a Trash that refuses is
// reported with the maps kept in their holding folder.
TEST_F(CommunityContentTest, FailuresAreReportedWithTheirCause)
{
    restore();
    platform.trashAccepts = false;
    restore();
    EXPECT_EQ(operation.errorMessage()->section(u'“', 0, 0),
              u"Multiplayer profile repair failed: The Trash refused "_s);
    EXPECT_EQ(operation.installerPhase(), InstallerPhase::community);
    const QStringList holding = QDir(Locations::supportFolder()).entryList({u"Removed Community Maps *"_s}, QDir::Dirs);
    ASSERT_EQ(holding.size(), 1);
    EXPECT_EQ(
        QDir(Locations::supportFolder() + u"/"_s + holding.first()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(),
        10);

    platform.trashAccepts = true;
    operation.setErrorMessage(std::nullopt);
    world.serveRankedMaps(CommunityWorld::rankedMapNames().mid(0, 5));
    QDir(Locations::rankedMapsFolder()).removeRecursively();
    QDir(Locations::communityDownloadsFolder()).removeRecursively();
    restore();
    EXPECT_EQ(operation.errorMessage(), u"Multiplayer profile repair failed: "_s + CorruptFileError().description());
}

} // namespace
