#include "base/InstalledState.h"
#include "base/Locations.h"
#include "base/MissingFileError.h"
#include "content/ControlBar.h"
#include "content/TransferErrors.h"
#include "support/ClientArchive.h"
#include "support/CommunityWorld.h"
#include "support/FileTree.h"
#include "support/Outcome.h"
#include "support/TestServices.h"

#include <gtest/gtest.h>

#include <QDir>

namespace {

using namespace Qt::StringLiterals;

// Each text picks its variant: size names the archive, height the variant's
// own interface file.
TEST(ControlBarPackage, PicksTheVariantForExactlyThatText)
{
    const std::tuple<QString, QString, QString> variants[] = {
        {u"1280 × 720"_s, u"1280x720"_s, u"720"_s},    {u"1920 × 1080"_s, u"1920x1080"_s, u"1080"_s},
        {u"2560 × 1440"_s, u"2560x1440"_s, u"1440"_s}, {u"3840 × 2160"_s, u"2560x1440"_s, u"1440"_s},
        {u"1920x1080"_s, u"2560x1440"_s, u"1440"_s},   {u""_s, u"2560x1440"_s, u"1440"_s}};
    for (const auto &[requested, size, height] : variants) {
        const ControlBarPackage package = controlBarPackage(requested);
        EXPECT_EQ(package.resolution, QString(size).replace(u'x', u" × "_s)) << requested.toStdString();
        EXPECT_EQ(package.url(QUrl(u"https://gentool.net"_s)).toString(),
                  u"https://gentool.net/download/controlbarpro/1.2/ControlBarProZH_v1.2_%1.zip"_s.arg(size));
        EXPECT_TRUE(package.files.contains(u"340_ControlBarPro%1ZH.big"_s.arg(height)));
    }
}

InstalledState recorded(const QString &resolution)
{
    InstalledState state;
    state.controlBarVersion = u"1.2"_s;
    state.controlBarResolution = resolution;
    return state;
}

class ControlBar : public testing::Test, public TestServices
{
public:
    CommunityWorld world{server, catalog};
    const QString game = FileTree::inHome(u"game"_s);

    ControlBar()
    {
        world.serveInterfacePackages();
        FileTree::makeFolder(game);
    }

    Outcome<PreparedControlBar> prepare(const QString &resolution)
    {
        return outcomeOf(prepareControlBar(services(), resolution));
    }
    PreparedControlBar prepared(const QString &resolution)
    {
        return prepare(resolution).value.value_or(PreparedControlBar{});
    }
    static QStringList sorted(QStringList names)
    {
        names.sort();
        return names;
    }
    static QStringList entries(const QString &folder) { return QDir(folder).entryList(QDir::Files, QDir::Name); }
    static QStringList backups()
    {
        return QDir(Locations::communityContentFolder()).entryList({u"Previous Interface *"_s}, QDir::Dirs, QDir::Name);
    }
};

TEST_F(ControlBar, PreparesEachVariantOnceFromThePinnedArchives)
{
    for (const QString &resolution : {u"1280 × 720"_s, u"1920 × 1080"_s, u"2560 × 1440"_s}) {
        const PreparedControlBar result = prepared(resolution);
        EXPECT_EQ(result.package, controlBarPackage(resolution, catalog.controlBar));
        EXPECT_EQ(entries(result.source), sorted(completeFileSet(result.package)));
        EXPECT_EQ(FileTree::readFile(result.source + u"/d3d8.dll"_s), "GenTool");
    }
    const qsizetype requests = server.requests().size();
    EXPECT_TRUE(prepare(u"1920 × 1080"_s).value);
    EXPECT_EQ(server.requests().size(), requests);
}

struct Failure
{
    const char *situation;
    void (*arrange)(ControlBar &);
};

class ControlBarFailure : public ControlBar, public testing::WithParamInterface<Failure>
{};

TEST_P(ControlBarFailure, LeavesNoCompletePreparedFolder)
{
    GetParam().arrange(*this);
    EXPECT_TRUE(prepare(u"1920 × 1080"_s).failure<CorruptFileError>());
    EXPECT_FALSE(cachedControlBar(recorded(u"1920 × 1080"_s), catalog.controlBar));
    EXPECT_TRUE(QDir(Locations::communityDownloadsFolder()).entryList({u"control-bar-*"_s}, QDir::Dirs).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    ControlBar, ControlBarFailure,
    testing::Values(
        Failure{"NotHTTP200", [](ControlBar &t) { t.server.route(CommunityWorld::genToolPath, 404); }},
        Failure{"OtherDigest", [](ControlBar &t) { t.catalog.controlBar.interface1080 = QString(64, u'0'); }},
        Failure{"NoGenToolLibrary",
                [](ControlBar &t) {
                    t.catalog.controlBar.genTool =
                        t.world.serve(CommunityWorld::genToolPath, ClientArchive::zip({{u"readme.txt"_s, {}}}));
                }},
        Failure{"InterfaceFileMissing",
                [](ControlBar &t) {
                    t.catalog.controlBar.interface1080 = t.world.serve(
                        CommunityWorld::interfacePath(u"1920 × 1080"_s),
                        CommunityWorld::interfaceArchive(u"1920 × 1080"_s, {u"340_ControlBarProArt1080ZH.big"_s}));
                }}),
    [](const testing::TestParamInfo<Failure> &info) { return std::string(info.param.situation); });

TEST_F(ControlBar, InstallingMovesDisplacedFilesIntoOneBackupAndNeedsACompletePreparedFolder)
{
    FileTree::writeFile(game + u"/d3d8.dll"_s, "the user's own library");
    FileTree::writeFile(game + u"/340_ControlBarProZH.big"_s, "changed by the user");
    FileTree::writeFile(game + u"/Game.dat"_s, "game");
    installPreparedControlBar(prepared(u"2560 × 1440"_s), game);
    ASSERT_EQ(backups().size(), 1);
    const QDir first(Locations::communityContentFolder() + u"/"_s + backups().front());
    EXPECT_EQ(entries(first.path()), (QStringList{u"340_ControlBarProZH.big"_s, u"d3d8.dll"_s}));
    EXPECT_EQ(FileTree::readFile(first.filePath(u"d3d8.dll"_s)), "the user's own library");

    installPreparedControlBar(prepared(u"2560 × 1440"_s), game);
    EXPECT_EQ(backups().size(), 1);

    installPreparedControlBar(prepared(u"1920 × 1080"_s), game);
    QStringList moved = backups();
    moved.removeAll(first.dirName());
    ASSERT_EQ(moved.size(), 1);
    EXPECT_EQ(entries(Locations::communityContentFolder() + u"/"_s + moved.front()),
              (QStringList{u"340_ControlBarPro1440ZH.big"_s, u"340_ControlBarProArt2160ZH.big"_s,
                           u"340_ControlBarProData2160ZH.big"_s}));
    EXPECT_EQ(entries(game), sorted(completeFileSet(controlBarPackage(u"1920 × 1080"_s)) << u"Game.dat"_s));
    EXPECT_EQ(cachedControlBar(recorded(u"1920 × 1080"_s), catalog.controlBar), prepared(u"1920 × 1080"_s));

    const PreparedControlBar incomplete = prepared(u"1280 × 720"_s);
    QFile::remove(incomplete.source + u"/340_ControlBarProZH.big"_s);
    EXPECT_THROW(installPreparedControlBar(incomplete, game), MissingFileError);
}

} // namespace
