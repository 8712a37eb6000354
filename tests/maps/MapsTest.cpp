#include "maps/MapFolders.h"
#include "maps/MapLibraryScan.h"
#include "support/FileTree.h"

#include <gtest/gtest.h>

#include <QDir>

#include <sys/stat.h>
#include <unistd.h>

using namespace FileTree;
using namespace Qt::StringLiterals;

namespace {

// The game's maps folder inside the test's home.
QString maps()
{
    return inHome(u"Maps"_s);
}

// Makes the folder name inside the maps folder holding entries, where a
// trailing "/" makes a folder, a trailing "|" a FIFO and "name@target" a
// link; returns the folder's path.
QString layOut(const QString &name, const QStringList &entries)
{
    const QString folder = maps() + u'/' + name;
    makeFolder(folder);
    for (const QString &entry : entries) {
        const QString path = folder + u'/' + entry.section(u'@', 0, 0);
        if (entry.contains(u'@'))
            makeSymlink(entry.section(u'@', 1), path);
        else if (entry.endsWith(u'|'))
            EXPECT_EQ(mkfifo(QFile::encodeName(path.chopped(1)).constData(), 0600), 0);
        else if (entry.endsWith(u'/'))
            makeFolder(path);
        else
            writeFile(path);
    }
    return folder;
}

TEST(FindFile, MatchesAtAnyDepthIgnoringCaseButSkipsHiddenAndLinkedFolders)
{
    const QString root = layOut(u"Game"_s, {u"Data/Bin/GENERALS.EXE"_s, u".cache/Hidden.exe"_s, u".Dot.exe"_s});
    writeFile(inHome(u"Elsewhere/Linked.exe"_s));
    makeSymlink(inHome(u"Elsewhere"_s), root + u"/Data/outside"_s);
    makeSymlink(root, root + u"/Data/loop"_s);

    EXPECT_EQ(findFile(u"generals.exe"_s, root), root + u"/Data/Bin/GENERALS.EXE"_s);
    EXPECT_EQ(findFile(u"bin"_s, root), root + u"/Data/Bin"_s);
    for (const char *unreachable : {"Hidden.exe", ".Dot.exe", "Linked.exe"})
        EXPECT_EQ(findFile(QLatin1String(unreachable), root), std::nullopt) << unreachable;
}

struct MapCase
{
    const char *label;
    QString entry;
    bool isMap;
};

class IsMapFolder : public testing::TestWithParam<MapCase>
{};

// Every way of asking must agree on what is a map.
TEST_P(IsMapFolder, NeedsAMapFileNamedLikeTheFolder)
{
    const QString folder = layOut(u"It's [RANK] v2.1"_s, {GetParam().entry});
    EXPECT_EQ(isMapFolder(folder), GetParam().isMap);
    EXPECT_EQ(isMapFolder(folder + u'/'), GetParam().isMap);
    EXPECT_EQ(surveyMapFolders(maps()).size(), GetParam().isMap ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(, IsMapFolder,
                         testing::Values(MapCase{"Direct", u"It's [RANK] v2.1.map"_s, true},
                                         MapCase{"OtherCaseAtDepth", u"a/b/it's [rank] V2.1.MAP"_s, true},
                                         MapCase{"AnotherMap", u"Bar.map"_s, false},
                                         MapCase{"InHiddenFolder", u".old/It's [RANK] v2.1.map"_s, false},
                                         MapCase{"FolderNamedLikeTheMap", u"It's [RANK] v2.1.map/"_s, false},
                                         MapCase{"LinkToADevice", u"It's [RANK] v2.1.map@/dev/null"_s, false},
                                         MapCase{"Fifo", u"It's [RANK] v2.1.map|"_s, false}),
                         [](const testing::TestParamInfo<MapCase> &info) { return info.param.label; });

TEST(MapFolders, OnlyRealFoldersDirectlyInsideAreMaps)
{
    layOut(u"One"_s, {u"One.map"_s});
    layOut(u"Pack"_s, {u"Inner/Inner.map"_s});
    writeFile(maps() + u"/Loose.map"_s);
    writeFile(inHome(u"Store/Linked/Linked.map"_s));
    makeSymlink(inHome(u"Store/Linked"_s), maps() + u"/Linked"_s);

    EXPECT_FALSE(isMapFolder(maps() + u"/Linked"_s));
    EXPECT_EQ(surveyMapFolders(maps()).size(), 1);
    EXPECT_TRUE(surveyMapFolders(inHome(u"Missing"_s)).isEmpty());
    EXPECT_TRUE(surveyMapFolders(maps() + u"/Loose.map"_s).isEmpty());
}

TEST(MapFolders, UnreadableFolderIsAbsent)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads every folder";
    layOut(u"One"_s, {u"One.map"_s});
    ASSERT_TRUE(QFile::setPermissions(maps(), QFile::Permissions()));
    EXPECT_TRUE(surveyMapFolders(maps()).isEmpty());
}

struct ThumbnailCase
{
    const char *label;
    QStringList entries;
    QString expected; // empty: no thumbnail
};

class MapThumbnail : public testing::TestWithParam<ThumbnailCase>
{};

TEST_P(MapThumbnail, PrefersTheImageNamedLikeTheFolderThenByName)
{
    const QString folder = layOut(u"Foo"_s, GetParam().entries + QStringList(u"Foo.map"_s));
    const std::optional<QString> expected =
        GetParam().expected.isEmpty() ? std::nullopt : std::optional<QString>(folder + u'/' + GetParam().expected);
    EXPECT_EQ(firstMapThumbnail(folder), expected);
    EXPECT_EQ(surveyMapFolders(maps()).value(0).thumbnail, expected);
}

INSTANTIATE_TEST_SUITE_P(
    , MapThumbnail,
    testing::Values(ThumbnailCase{"NamedLikeFolder", {u"a.png"_s, u"FOO.JPEG"_s}, u"FOO.JPEG"_s},
                    ThumbnailCase{"ByNameIgnoringCase", {u"b.png"_s, u"a.jpg"_s, u"B.tga"_s}, u"a.jpg"_s},
                    ThumbnailCase{"OnlyImages", {u"Foo.bmp"_s, u"Foo.tga.txt"_s, u"z.Png"_s}, u"z.Png"_s},
                    ThumbnailCase{"NotHiddenNestedOrFolders", {u".Foo.tga"_s, u"sub/Foo.tga"_s, u"Foo.png/"_s}, {}}),
    [](const testing::TestParamInfo<ThumbnailCase> &info) { return info.param.label; });

using Source = InstalledMap::Source;

struct SourceCase
{
    const char *label;
    QString name;
    QByteArray managedList;
    Source expected;
};

class MapSource : public testing::TestWithParam<SourceCase>
{};

TEST_P(MapSource, FollowsTheManagedAndThreePlayerListsIgnoringCase)
{
    layOut(GetParam().name, {GetParam().name + u".map"_s});
    const QString list = inHome(u"installed-maps.json"_s);
    writeFile(list, GetParam().managedList);
    const QList<InstalledMap> library = scanMapLibrary(maps(), readManagedMapNames(list), {u"alpine valley [rank]"_s});
    ASSERT_EQ(library.size(), 1);
    EXPECT_EQ(library.first().source, GetParam().expected);
}

// A damaged list trusts nothing in it.
INSTANTIATE_TEST_SUITE_P(
    , MapSource,
    testing::Values(SourceCase{"Rank", u"Desert Fury [Rank]"_s, R"(["DESERT fury [rank]"])", Source::ranked},
                    SourceCase{"Aod", u"Twin Towers [AoD]"_s, R"(["twin towers [aod]"])", Source::ranked},
                    SourceCase{"Managed", u"Green Pastures"_s, R"(["green PASTURES"])", Source::managed},
                    SourceCase{"NotListed", u"Desert Fury [RANK]"_s, R"(["Other"])", Source::personal},
                    SourceCase{"ThreePlayerBeatsRank", u"Alpine Valley [Rank]"_s, R"(["ALPINE VALLEY [RANK]"])",
                               Source::cncLabs},
                    SourceCase{"ThreePlayerNotListed", u"Alpine Valley [Rank]"_s, "[]", Source::personal},
                    SourceCase{"ForeignEntry", u"Green Pastures"_s, R"(["Green Pastures", 3])", Source::personal}),
    [](const testing::TestParamInfo<SourceCase> &info) { return info.param.label; });

TEST(MapLibraryScan, ListsMapFoldersWithTheirDetails)
{
    const QString foo = layOut(u"Foo"_s, {u"maps/FOO.map"_s, u"preview.png"_s, u"Foo.tga"_s, u"data/Map.INI"_s});
    const QString bar = layOut(u"Bar"_s, {u"Bar.map"_s});

    const QList<InstalledMap> expected{
        {bar, u"Bar"_s, bar, std::nullopt, Source::personal, false},
        {foo, u"Foo"_s, foo, foo + u"/Foo.tga"_s, Source::personal, true},
    };
    EXPECT_EQ(scanMapLibrary(maps(), {}, {}), expected);
}

TEST(MapLibraryScan, SortsByNameIgnoringCaseKeepingTiesInDirectoryOrder)
{
    // All 32 spellings of "ddddd": enough ties that an unstable sort reorders them.
    QStringList names{u"charlie"_s, u"Bravo"_s, u"alpha"_s};
    for (int variant = 0; variant < 32; ++variant)
        names.append(QString::number(variant + 32, 2).mid(1).replace(u'0', u'd').replace(u'1', u'D'));
    for (const QString &name : names)
        layOut(name, {name + u".map"_s});

    QStringList ties = QDir(maps()).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted);
    ties.removeIf([](const QString &name) { return !name.startsWith(u'd', Qt::CaseInsensitive); });
    QStringList scanned;
    for (const InstalledMap &map : scanMapLibrary(maps(), {}, {}))
        scanned.append(map.name);
    EXPECT_EQ(scanned, QStringList({u"alpha"_s, u"Bravo"_s, u"charlie"_s}) + ties);
}

} // namespace
