#include "maps/MapLibraryScan.h"

#include "support/FileTree.h"

#include <gtest/gtest.h>

#include <QDir>

#include <unistd.h>

using namespace FileTree;

namespace {

QString maps()
{
    return inHome(QStringLiteral("Maps"));
}

void writeMap(const QString &name, const QString &mapFile = {})
{
    writeFile(maps() + u'/' + name + u'/' + (mapFile.isEmpty() ? name + QStringLiteral(".map") : mapFile));
}

QStringList namesOf(const QList<InstalledMap> &library)
{
    QStringList names;
    for (const InstalledMap &map : library)
        names.append(map.name);
    return names;
}

struct SourceCase
{
    const char *label;
    QString folderName;
    QByteArray managedList;
    InstalledMap::Source expected;

    friend void PrintTo(const SourceCase &testCase, std::ostream *out) { *out << testCase.label; }
};

class MapSource : public testing::TestWithParam<SourceCase>
{};

} // namespace

TEST_P(MapSource, FollowsTheManagedAndThreePlayerLists)
{
    writeMap(GetParam().folderName);
    const QString listFile = inHome(QStringLiteral("installed-maps.json"));
    writeFile(listFile, GetParam().managedList);

    const QList<InstalledMap> library =
        scanMapLibrary(maps(), readManagedMapNames(listFile), {QStringLiteral("alpine valley [rank]")});
    ASSERT_EQ(library.size(), 1);
    EXPECT_EQ(library.first().source, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Names, MapSource,
                         testing::Values(SourceCase{"RankInAnyCase", QStringLiteral("Desert Fury [RANK]"),
                                                    R"(["desert fury [rank]"])", InstalledMap::Source::ranked},
                                         SourceCase{"AodTag", QStringLiteral("Twin Towers [AoD]"),
                                                    R"(["Twin Towers [AOD]"])", InstalledMap::Source::ranked},
                                         SourceCase{"RankedNameNotListed", QStringLiteral("Desert Fury [RANK]"),
                                                    R"(["Other"])", InstalledMap::Source::personal},
                                         SourceCase{"ThreePlayerBeatsRank", QStringLiteral("Alpine Valley [Rank]"),
                                                    R"(["ALPINE VALLEY [RANK]"])", InstalledMap::Source::cncLabs},
                                         SourceCase{"ThreePlayerNameNotListed", QStringLiteral("Alpine Valley [Rank]"),
                                                    R"([])", InstalledMap::Source::personal},
                                         SourceCase{"ListedWithoutTag", QStringLiteral("Green Pastures"),
                                                    R"(["green PASTURES"])", InstalledMap::Source::managed},
                                         SourceCase{"UnreadableList", QStringLiteral("Green Pastures"),
                                                    R"(["Green Pastures", null])", InstalledMap::Source::personal}),
                         [](const testing::TestParamInfo<SourceCase> &info) { return info.param.label; });

TEST(MapLibraryScan, ListsOnlyMapFoldersWithTheirDetails)
{
    writeMap(QStringLiteral("Foo"), QStringLiteral("maps/FOO.map"));
    writeFile(maps() + QStringLiteral("/Foo/preview.png"));
    writeFile(maps() + QStringLiteral("/Foo/Foo.tga"));
    writeFile(maps() + QStringLiteral("/Foo/data/Map.INI"));
    writeMap(QStringLiteral("Bar"));
    writeFile(maps() + QStringLiteral("/Bar/.map.ini"));
    writeFile(maps() + QStringLiteral("/Loose.map"));
    writeFile(maps() + QStringLiteral("/Loose/Other.map"));
    writeMap(QStringLiteral(".Hidden"));
    writeFile(maps() + QStringLiteral("/.Hidden.map"));

    const QString foo = maps() + QStringLiteral("/Foo");
    const QString bar = maps() + QStringLiteral("/Bar");
    const QList<InstalledMap> expected{
        {bar, QStringLiteral("Bar"), bar, std::nullopt, InstalledMap::Source::personal, false},
        {foo, QStringLiteral("Foo"), foo, foo + QStringLiteral("/Foo.tga"), InstalledMap::Source::personal, true},
    };
    EXPECT_EQ(scanMapLibrary(maps(), {}, {}), expected);
    EXPECT_EQ(scanMapLibrary(maps() + u'/', {}, {}), expected);
}

TEST(MapLibraryScan, SortsByNameIgnoringCaseAndKeepsDirectoryOrderForTies)
{
    for (const QString &name : {QStringLiteral("charlie"), QStringLiteral("Bravo"), QStringLiteral("alpha")})
        writeMap(name);
    // Enough ties that an unstable sort would visibly reorder them.
    QStringList deltas;
    for (int variant = 0; variant < 32; ++variant) {
        QString delta = QStringLiteral("delta");
        for (int letter = 0; letter < delta.size(); ++letter)
            if (variant & (1 << letter))
                delta[letter] = delta[letter].toUpper();
        writeMap(delta);
    }

    const QList<InstalledMap> library = scanMapLibrary(maps(), {}, {});
    ASSERT_EQ(library.size(), 35);
    EXPECT_EQ(namesOf(library.first(3)),
              QStringList({QStringLiteral("alpha"), QStringLiteral("Bravo"), QStringLiteral("charlie")}));

    QStringList deltasInDirectoryOrder = QDir(maps()).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted);
    deltasInDirectoryOrder.removeIf([](const QString &name) { return name.compare(u"delta", Qt::CaseInsensitive); });
    EXPECT_EQ(namesOf(library.sliced(3)), deltasInDirectoryOrder);
}

TEST(MapLibraryScan, MissingMapsFolderGivesAnEmptyLibrary)
{
    EXPECT_TRUE(scanMapLibrary(maps(), {}, {}).isEmpty());
    writeFile(maps());
    EXPECT_TRUE(scanMapLibrary(maps(), {}, {}).isEmpty());
}

TEST(MapLibraryScan, UnreadableMapsFolderGivesAnEmptyLibrary)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads every folder";
    writeMap(QStringLiteral("Foo"));
    ASSERT_TRUE(QFile::setPermissions(maps(), QFile::Permissions()));
    EXPECT_TRUE(scanMapLibrary(maps(), {}, {}).isEmpty());
}
