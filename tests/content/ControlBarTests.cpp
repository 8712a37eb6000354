#include "base/InstalledState.h"
#include "base/Locations.h"
#include "base/MissingFileError.h"
#include "content/ControlBar.h"
#include "content/Sha256.h"
#include "content/TransferErrors.h"
#include "support/FileTree.h"
#include "support/Outcome.h"
#include "support/TestServices.h"

#include <gtest/gtest.h>

#include <QDir>

namespace {

using namespace Qt::StringLiterals;

struct Variant
{
    QString requested;
    QString resolution;
    QString archiveName;
    QString firstVariantFile;
    QString folderName;
};

class ResolutionMatching : public testing::TestWithParam<Variant>
{};

TEST_P(ResolutionMatching, PicksTheVariantForExactlyThatText)
{
    const Variant expected = GetParam();
    const ControlBarPackage package = controlBarPackage(expected.requested);
    EXPECT_EQ(package.resolution, expected.resolution);
    EXPECT_EQ(package.archiveName, expected.archiveName);
    ASSERT_EQ(package.files.size(), 6);
    EXPECT_EQ(package.files.front(), u"339_ControlBarProHideIpZH.big.BAK"_s);
    EXPECT_EQ(package.files[2], expected.firstVariantFile);
    EXPECT_EQ(package.files.back(), u"340_ControlBarProZH.big"_s);
    EXPECT_EQ(QFileInfo(preparedControlBarFolder(package)).fileName(), expected.folderName);
    EXPECT_EQ(package.url(QUrl(u"https://gentool.net"_s)).toString(),
              u"https://gentool.net/download/controlbarpro/1.2/"_s + expected.archiveName);
}

const Variant size1440{{},
                       u"2560 × 1440"_s,
                       u"ControlBarProZH_v1.2_2560x1440.zip"_s,
                       u"340_ControlBarPro1440ZH.big"_s,
                       u"1.2-2560x1440"_s};

Variant fallback(const QString &requested)
{
    Variant variant = size1440;
    variant.requested = requested;
    return variant;
}

INSTANTIATE_TEST_SUITE_P(
    ControlBar, ResolutionMatching,
    testing::Values(Variant{u"1280 × 720"_s, u"1280 × 720"_s, u"ControlBarProZH_v1.2_1280x720.zip"_s,
                            u"340_ControlBarPro720ZH.big"_s, u"1.2-1280x720"_s},
                    Variant{u"1920 × 1080"_s, u"1920 × 1080"_s, u"ControlBarProZH_v1.2_1920x1080.zip"_s,
                            u"340_ControlBarPro1080ZH.big"_s, u"1.2-1920x1080"_s},
                    fallback(u"2560 × 1440"_s), fallback(u"3840 × 2160"_s), fallback(u"1920x1080"_s), fallback(u""_s)));

InstalledState recorded(const QString &resolution)
{
    InstalledState state;
    state.controlBarVersion = u"1.2"_s;
    state.controlBarResolution = resolution;
    return state;
}

// Serves a Control Bar Pro archive for each variant and a GenTool archive
// that keeps its d3d8.dll in a sub-folder, all pinned by their digests.
class ControlBar : public testing::Test, public TestServices
{
public:
    const QString game = FileTree::inHome(u"game"_s);

    ControlBar()
    {
        serveInterface(u"1280 × 720"_s, catalog.controlBar.interface720);
        serveInterface(u"1920 × 1080"_s, catalog.controlBar.interface1080);
        serveInterface(u"2560 × 1440"_s, catalog.controlBar.interface1440);
        FileTree::writeFile(FileTree::inHome(u"gentool/GenTool/bin/d3d8.dll"_s), "GenTool library");
        catalog.controlBar.genTool = serve(u"GenTool_v8.9.zip"_s, u"/gentool/download/GenTool_v8.9.zip"_s,
                                           FileTree::inHome(u"gentool"_s), {u"GenTool"_s});
        FileTree::makeFolder(game);
    }

    // The files shared by every variant hold the same bytes in each.
    void serveInterface(const QString &resolution, QString &pin, const QStringList &leftOut = {})
    {
        const ControlBarPackage package = controlBarPackage(resolution);
        const QString folder = FileTree::inHome(u"packages/"_s + package.archiveName);
        QStringList files = package.files;
        for (const QString &name : leftOut)
            files.removeAll(name);
        for (const QString &name : files)
            FileTree::writeFile(QDir(folder).filePath(name), name.toUtf8());
        pin =
            serve(package.archiveName, u"/gentool/download/controlbarpro/1.2/"_s + package.archiveName, folder, files);
    }

    QString serve(const QString &archiveName, const QString &path, const QString &folder, const QStringList &entries)
    {
        const QString archive = FileTree::inHome(u"archives/"_s + archiveName);
        QFile::remove(archive);
        FileTree::pack(archive, folder, entries);
        const QByteArray bytes = FileTree::readFile(archive);
        server.route(path, FixtureResponse(200, {}, bytes));
        return sha256(bytes);
    }

    Outcome<PreparedControlBar> prepare(const QString &resolution)
    {
        return outcomeOf(prepareControlBar(services(), resolution));
    }
    PreparedControlBar prepared(const QString &resolution)
    {
        return prepare(resolution).value.value_or(PreparedControlBar{});
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
        const ControlBarPackage package = controlBarPackage(resolution, catalog.controlBar);
        EXPECT_EQ(result, (PreparedControlBar{package, preparedControlBarFolder(package)}));
        QStringList expected = completeFileSet(package);
        expected.sort();
        EXPECT_EQ(entries(result.source), expected);
        EXPECT_EQ(FileTree::readFile(result.source + u"/d3d8.dll"_s), "GenTool library");
    }
    const qsizetype requests = server.requests().size();
    EXPECT_EQ(prepare(u"1920 × 1080"_s).value->package.resolution, u"1920 × 1080"_s);
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
        Failure{"NotHTTP200", [](ControlBar &t) { t.server.route(u"/gentool/download/GenTool_v8.9.zip"_s, 404); }},
        Failure{"OtherDigest", [](ControlBar &t) { t.catalog.controlBar.interface1080 = QString(64, u'0'); }},
        Failure{"NoGenToolLibrary",
                [](ControlBar &t) {
                    FileTree::writeFile(FileTree::inHome(u"empty/readme.txt"_s));
                    t.catalog.controlBar.genTool =
                        t.serve(u"GenTool_v8.9.zip"_s, u"/gentool/download/GenTool_v8.9.zip"_s,
                                FileTree::inHome(u"empty"_s), {u"readme.txt"_s});
                }},
        Failure{"InterfaceFileMissing",
                [](ControlBar &t) {
                    t.serveInterface(u"1920 × 1080"_s, t.catalog.controlBar.interface1080,
                                     {u"340_ControlBarProArt1080ZH.big"_s});
                }}),
    [](const testing::TestParamInfo<Failure> &info) { return std::string(info.param.situation); });

TEST_F(ControlBar, InstallingMovesDisplacedFilesIntoOneBackupAndLeavesIdenticalOnes)
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
    QStringList expected = completeFileSet(controlBarPackage(u"1920 × 1080"_s)) << u"Game.dat"_s;
    expected.sort();
    EXPECT_EQ(entries(game), expected);
    EXPECT_EQ(FileTree::readFile(game + u"/Game.dat"_s), "game");
    EXPECT_EQ(cachedControlBar(recorded(u"1920 × 1080"_s), catalog.controlBar), prepared(u"1920 × 1080"_s));
}

TEST_F(ControlBar, InstallingFromAnIncompletePreparedFolderFails)
{
    const PreparedControlBar result = prepared(u"1280 × 720"_s);
    QFile::remove(result.source + u"/340_ControlBarProZH.big"_s);
    EXPECT_THROW(installPreparedControlBar(result, game), MissingFileError);
}

} // namespace
