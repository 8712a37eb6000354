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

QStringList namesOf(const QList<InstalledMap> &library)
{
    QStringList names;
    for (const InstalledMap &map : library)
        names.append(map.name);
    return names;
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

// Every way of asking must agree on what is a map: a real folder directly
// inside, holding a regular file named like it, at any depth but not hidden.
TEST(MapFolders, AMapIsAFolderHoldingAMapFileNamedLikeIt)
{
    const std::tuple<QString, QString, bool> folders[] = {
        {u"It's [RANK] v2.1"_s, u"It's [RANK] v2.1.map"_s, true},
        {u"Deep (v2)"_s, u"a/b/deep (V2).MAP"_s, true},
        {u"Other"_s, u"Bar.map"_s, false},
        {u"Pack"_s, u"Inner/Inner.map"_s, false},
        {u"Hidden"_s, u".old/Hidden.map"_s, false},
        {u"Folder"_s, u"Folder.map/"_s, false},
        {u"Device"_s, u"Device.map@/dev/null"_s, false},
        {u"Fifo"_s, u"Fifo.map|"_s, false},
    };
    for (const auto &[name, entry, isMap] : folders) {
        const QString folder = layOut(name, {entry});
        EXPECT_EQ(isMapFolder(folder), isMap) << name.toStdString();
        EXPECT_EQ(isMapFolder(folder + u'/'), isMap) << name.toStdString();
    }
    writeFile(maps() + u"/Loose.map"_s);
    writeFile(inHome(u"Store/Linked/Linked.map"_s));
    makeSymlink(inHome(u"Store/Linked"_s), maps() + u"/Linked"_s);
    EXPECT_FALSE(isMapFolder(maps() + u"/Linked"_s));
    EXPECT_EQ(namesOf(scanMapLibrary(maps(), {}, {})), QStringList({u"Deep (v2)"_s, u"It's [RANK] v2.1"_s}));

    // Root reads every folder.
    ASSERT_TRUE(QFile::setPermissions(maps(), QFile::Permissions()));
    EXPECT_EQ(surveyMapFolders(maps()).isEmpty(), geteuid() != 0);
}

// The thumbnail is the image named like the folder, else the first by name
// ignoring case, directly inside; "map.ini" counts at any depth.
TEST(MapLibraryScan, ListsMapFoldersWithTheirDetails)
{
    const std::tuple<QString, QStringList, QString> folders[] = {
        {u"ByName"_s, {u"b.png"_s, u"a.jpg"_s, u"B.tga"_s}, u"a.jpg"_s},
        {u"Images"_s, {u"Images.bmp"_s, u"Images.tga.txt"_s, u"z.Png"_s}, u"z.Png"_s},
        {u"Named"_s, {u"a.png"_s, u"NAMED.JPEG"_s, u"data/Map.INI"_s}, u"NAMED.JPEG"_s},
        {u"None"_s, {u".None.tga"_s, u"sub/None.tga"_s, u"None.png/"_s}, {}},
    };
    QList<InstalledMap> expected;
    for (const auto &[name, entries, image] : folders) {
        const QString folder = layOut(name, entries + QStringList(name + u".map"_s));
        const auto thumbnail = image.isEmpty() ? std::nullopt : std::optional<QString>(folder + u'/' + image);
        expected.append({folder, name, folder, thumbnail, InstalledMap::Source::personal, name == u"Named"_s});
    }
    EXPECT_EQ(scanMapLibrary(maps(), {}, {}), expected);
}

// Listed maps are ranked by their tag, or three-player maps by name;
// a damaged list trusts nothing in it.
TEST(MapLibraryScan, SourcesFollowTheManagedAndThreePlayerListsIgnoringCase)
{
    for (const QString &name : {u"Alpine Valley [Rank]"_s, u"Cold Front"_s, u"Desert Fury [Rank]"_s,
                                u"Green Pastures"_s, u"Other [RANK]"_s, u"Twin Towers [AoD]"_s})
        layOut(name, {name + u".map"_s});
    const QString list = inHome(u"installed-maps.json"_s);
    const QSet<QString> threePlayer{u"alpine valley [rank]"_s, u"cold front"_s};
    const auto sources = [&] {
        QStringList sources;
        for (const InstalledMap &map : scanMapLibrary(maps(), readManagedMapNames(list), threePlayer))
            sources.append(caseName(map.source));
        return sources;
    };
    writeFile(list, R"(["ALPINE VALLEY [RANK]", "DESERT fury [rank]", "green PASTURES", "twin towers [aod]"])");
    EXPECT_EQ(sources(),
              QStringList({u"cncLabs"_s, u"personal"_s, u"ranked"_s, u"managed"_s, u"personal"_s, u"ranked"_s}));
    writeFile(list, R"(["Green Pastures", 3])");
    EXPECT_EQ(sources(), QStringList(6, u"personal"_s));
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
    EXPECT_EQ(namesOf(scanMapLibrary(maps(), {}, {})), QStringList({u"alpha"_s, u"Bravo"_s, u"charlie"_s}) + ties);
}

} // namespace
