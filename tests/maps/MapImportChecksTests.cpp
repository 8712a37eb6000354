#include "base/CorruptFileError.h"
#include "maps/MapImportChecks.h"
#include "support/FileTree.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <tuple>

namespace {

using namespace Qt::StringLiterals;
using namespace FileTree;

bool accepts(void (*check)(const QString &), const QString &input)
{
    try {
        check(input);
        return true;
    } catch (const CorruptFileError &) {
        return false;
    }
}

TEST(ZipListing, RefusesEveryEntryThatCouldLeaveItsFolder)
{
    const std::pair<QString, bool> listings[] = {
        {u"Map/Map.map\nMap/Map.tga\n\n"_s, true},
        {u"a//b/Map.map\nx/~y"_s, true},
        {QString(), false},
        {u"\n\n"_s, false},
        {u"/etc/Map.map"_s, false},
        {u"Map\\Map.map"_s, false},
        {u"Map/../../Map.map"_s, false},
        {u"~/Map.map"_s, false},
        {u"ok/Map.map\n~user/Map.map"_s, false},
        {u"Map/..hidden/Map.map"_s, true},
    };
    for (const auto &[listing, accepted] : listings)
        EXPECT_EQ(accepts(&validateZipListing, listing), accepted) << listing.toStdString();
    QStringList many(5000, u"Map/Map.map"_s);
    EXPECT_TRUE(accepts(&validateZipListing, many.join(u'\n')));
    many.append(u"Map/Map.tga"_s);
    EXPECT_FALSE(accepts(&validateZipListing, many.join(u'\n')));
}

TEST(MapDirectory, AcceptsOnlyAPlainFolderNamedLikeItsMap)
{
    const QString good = inHome(u"maps/Desert Fury"_s);
    writeFile(good + u"/desert fury.MAP"_s, "map");
    writeFile(good + u"/Art/preview.tga"_s, "art");
    EXPECT_TRUE(accepts(&validateMapDirectory, good));

    // Names up to 160 characters; no hidden folder, and a map file named like it.
    const std::tuple<QString, QString, bool> folders[] = {{QString(160, u'x'), QString(160, u'x') + u".map"_s, true},
                                                          {QString(161, u'x'), QString(161, u'x') + u".map"_s, false},
                                                          {u".Hidden"_s, u".Hidden.map"_s, false},
                                                          {u"Readme"_s, u"Readme.txt"_s, false},
                                                          {u"Other"_s, u"Another.map"_s, false}};
    for (const auto &[name, file, accepted] : folders) {
        const QString folder = inHome(u"maps/"_s + name);
        writeFile(folder + u'/' + file, "map");
        EXPECT_EQ(accepts(&validateMapDirectory, folder), accepted) << name.toStdString();
    }

    makeSymlink(QDir::rootPath(), good + u"/Art/root"_s);
    EXPECT_FALSE(accepts(&validateMapDirectory, good)) << "a link inside";
    QFile::remove(good + u"/Art/root"_s);
    makeSymlink(good, inHome(u"maps/Linked"_s));
    EXPECT_FALSE(accepts(&validateMapDirectory, inHome(u"maps/Linked"_s)));
    QFile big(good + u"/Art/huge.bin"_s);
    ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(150'000'000 - 5));
    big.close();
    EXPECT_FALSE(accepts(&validateMapDirectory, good)) << "one byte over";
}

TEST(MapDirectories, FindsMapFoldersAtAnyDepthInNameOrder)
{
    const QString root = inHome(u"package"_s);
    writeFile(root + u"/bravo/Bravo.map"_s);
    writeFile(root + u"/deep/pack/Alpha/alpha.map"_s);
    writeFile(root + u"/Charlie/Other.map"_s);
    writeFile(root + u"/.hidden/Delta/Delta.map"_s);
    writeFile(root + u"/Echo/.Echo.map"_s);
    EXPECT_EQ(mapDirectories(root), (QStringList{root + u"/deep/pack/Alpha"_s, root + u"/bravo"_s}));
    EXPECT_EQ(mapDirectories(root + u"/bravo"_s), QStringList{root + u"/bravo"_s});
    EXPECT_TRUE(mapDirectories(inHome(u"missing"_s)).isEmpty());

    for (int map = 0; map < 205; ++map)
        writeFile(root + u"/many/Map %1/Map %1.map"_s.arg(map));
    EXPECT_EQ(mapDirectories(root + u"/many"_s).size(), 200);
}

} // namespace
