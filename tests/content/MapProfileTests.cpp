#include "base/Locations.h"
#include "base/MissingFileError.h"
#include "content/MapProfile.h"
#include "content/TransferErrors.h"
#include "support/FakePlatform.h"
#include "support/FileTree.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QJsonDocument>

namespace {

using namespace Qt::StringLiterals;

// A folder of map folders named name1 … nameN, each holding its map file.
QString mapSource(const QString &folder, const QString &name, int count, const QByteArray &contents = "map")
{
    const QString source = FileTree::inHome(folder);
    for (int index = 1; index <= count; ++index) {
        const QString map = u"%1%2"_s.arg(name).arg(index);
        FileTree::writeFile(u"%1/%2/%2.map"_s.arg(source, map), contents);
    }
    return source;
}

QString gameMap(const QString &name)
{
    return QDir(Locations::gameMapsFolder()).filePath(name);
}

// Later sources win; only map folders count; the player's own maps stay;
// the list is sorted ignoring case and names every installed map once.
TEST(MapProfile, InstallsMapsAndTrashesThemAsOneFolderNextTime)
{
    FakePlatform platform;
    FileTree::writeFile(gameMap(u"Mine/Mine.map"_s), "mine");
    const QString ranked = mapSource(u"ranked"_s, u"Arena"_s, 7);
    FileTree::makeFolder(ranked + u"/Not a map"_s);
    const QString official = mapSource(u"official"_s, u"arena"_s, 2, "official");
    mapSource(u"official"_s, u"Arena"_s, 1, "official");

    EXPECT_THROW(installClientMaps(platform, {ranked}), CorruptFileError) << "7 maps are too few";
    EXPECT_FALSE(QFileInfo::exists(Locations::managedMapListFile()));
    EXPECT_THROW(installClientMaps(platform, {ranked, FileTree::inHome(u"missing"_s)}), MissingFileError);

    const QStringList names = installClientMaps(platform, {ranked, official});
    EXPECT_EQ(names, QStringList({u"Arena1"_s, u"arena1"_s, u"Arena2"_s, u"arena2"_s, u"Arena3"_s, u"Arena4"_s,
                                  u"Arena5"_s, u"Arena6"_s, u"Arena7"_s}));
    EXPECT_EQ(FileTree::readFile(gameMap(u"Arena1/Arena1.map"_s)), "official");
    EXPECT_FALSE(QFileInfo::exists(gameMap(u"Not a map"_s)));
    EXPECT_TRUE(managedMapsAreInstalled());

    // Names that are no folder of the Maps folder are passed over.
    FileTree::writeFile(Locations::managedMapListFile(), R"(["Arena1", "", "..", "Gone", "Arena2"])");
    trashManagedMaps(platform);
    ASSERT_EQ(platform.trashed.size(), 1);
    EXPECT_TRUE(QFileInfo(platform.trashed.first()).fileName().startsWith(u"Removed Community Maps "_s));
    EXPECT_FALSE(QFileInfo::exists(gameMap(u"Arena1"_s)));
    EXPECT_TRUE(QFileInfo::exists(gameMap(u"Arena3"_s)));
    EXPECT_TRUE(QFileInfo::exists(gameMap(u"Mine/Mine.map"_s)));
    EXPECT_FALSE(managedMapsAreInstalled());

    // Nothing left to move: no holding folder goes to the Trash.
    trashManagedMaps(platform);
    EXPECT_EQ(platform.trashed.size(), 1);
}

// Copying the patch and keeping the other settings is proven end to end.
TEST(MapProfile, TheDataPatchNeedsTheClientsCopyAndRepairsDamagedSettings)
{
    EXPECT_THROW(configureOfficialCommunityDataPatch(), MissingFileError);
    for (const QByteArray &damaged : {QByteArray("[1]"), QByteArray("{"), QByteArray(R"({"data_packs": 2})")})
        EXPECT_EQ(withCommunityDataPatch(damaged),
                  QJsonDocument::fromJson(R"({"data_packs": {"use_community_data_patch": true}})").toJson());
}

} // namespace
