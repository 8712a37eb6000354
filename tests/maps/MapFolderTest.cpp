#include "maps/MapFolders.h"
#include "support/FileTree.h"

#include <gtest/gtest.h>

#include <QDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace FileTree;

namespace {

QString maps()
{
    return inHome(QStringLiteral("Maps"));
}

// Lays out entries below folder; a trailing "/" makes a folder.
void layOut(const QString &folder, const QStringList &entries)
{
    makeFolder(folder);
    for (const QString &entry : entries) {
        if (entry.endsWith(u'/'))
            makeFolder(folder + u'/' + entry);
        else
            writeFile(folder + u'/' + entry);
    }
}

struct MapFolderCase
{
    const char *label;
    QString folderName;
    QStringList entries;
    bool isMap;

    friend void PrintTo(const MapFolderCase &testCase, std::ostream *out) { *out << testCase.label; }
};

class IsMapFolder : public testing::TestWithParam<MapFolderCase>
{};

} // namespace

TEST_P(IsMapFolder, JudgesByAMapFileNamedLikeTheFolder)
{
    const QString folder = maps() + u'/' + GetParam().folderName;
    layOut(folder, GetParam().entries);
    EXPECT_EQ(isMapFolder(folder), GetParam().isMap);
    EXPECT_EQ(isMapFolder(folder + u'/'), GetParam().isMap);
    EXPECT_EQ(surveyMapFolders(maps()).size(), GetParam().isMap ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, IsMapFolder,
    testing::Values(MapFolderCase{"DirectMap", QStringLiteral("Foo"), {QStringLiteral("Foo.map")}, true},
                    MapFolderCase{"OtherCaseAtDepth", QStringLiteral("Foo"), {QStringLiteral("a/b/foo.MAP")}, true},
                    MapFolderCase{"OnlyAnotherMap", QStringLiteral("Foo"), {QStringLiteral("Bar.map")}, false},
                    MapFolderCase{"OnlyInHiddenFolder", QStringLiteral("Foo"), {QStringLiteral(".old/Foo.map")}, false},
                    MapFolderCase{"FolderNamedLikeTheMap", QStringLiteral("Foo"), {QStringLiteral("Foo.map/")}, false},
                    MapFolderCase{"Empty", QStringLiteral("Foo"), {}, false},
                    MapFolderCase{"SpacesQuotesBrackets",
                                  QStringLiteral("It's \"Big\" [RANK] v2.1"),
                                  {QStringLiteral("data/it's \"big\" [rank] v2.1.map")},
                                  true}),
    [](const testing::TestParamInfo<MapFolderCase> &info) { return info.param.label; });

TEST(MapFolder, FilesAndLinkedFoldersAreNotMaps)
{
    writeFile(maps() + QStringLiteral("/Foo"));
    EXPECT_FALSE(isMapFolder(maps() + QStringLiteral("/Foo")));

    writeFile(inHome(QStringLiteral("Real/Real.map")));
    makeSymlink(inHome(QStringLiteral("Real")), maps() + QStringLiteral("/Real"));
    EXPECT_FALSE(isMapFolder(maps() + QStringLiteral("/Real")));

    // The map file reached only through a link is not looked at either.
    writeFile(inHome(QStringLiteral("Store/Linked.map")));
    makeSymlink(inHome(QStringLiteral("Store")), maps() + QStringLiteral("/Linked/store"));
    makeSymlink(maps(), maps() + QStringLiteral("/Linked/loop"));
    EXPECT_FALSE(isMapFolder(maps() + QStringLiteral("/Linked")));
    EXPECT_TRUE(surveyMapFolders(maps()).isEmpty());
    EXPECT_FALSE(isMapFolder(QString()));
}

TEST(MapFolder, CountsOnlyDirectMapFolders)
{
    layOut(maps(), {QStringLiteral("One/One.map"), QStringLiteral("Two/sub/TWO.map"), QStringLiteral("Loose.map"),
                    QStringLiteral("Notes/readme.txt"), QStringLiteral(".Hidden/.Hidden.map"),
                    QStringLiteral("Pack/Inner/Inner.map")});
    writeFile(inHome(QStringLiteral("Store/Linked/Linked.map")));
    makeSymlink(inHome(QStringLiteral("Store/Linked")), maps() + QStringLiteral("/Linked"));
    EXPECT_EQ(countMapFolders(maps()), 2);
    EXPECT_EQ(surveyMapFolders(maps()).size(), 2);
    EXPECT_EQ(countMapFolders(inHome(QStringLiteral("Maps/Notes"))), 0);
    EXPECT_EQ(countMapFolders(inHome(QStringLiteral("Missing"))), std::nullopt);
    EXPECT_EQ(countMapFolders(maps() + QStringLiteral("/Loose.map")), std::nullopt);
}

TEST(MapFolder, UnreadableFolderCountsAsAbsent)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads every folder";
    layOut(maps(), {QStringLiteral("One/One.map")});
    ASSERT_TRUE(QFile::setPermissions(maps(), QFile::Permissions()));
    EXPECT_EQ(countMapFolders(maps()), std::nullopt);
}

// Such names cannot be spelled as a path in a QString, so they are passed over.
TEST(MapFolder, NamesThatAreNotUtf8AreSkipped)
{
    makeFolder(maps());
    const QByteArray folder = QFile::encodeName(maps()) + QByteArrayLiteral("/Bad\xff\xfe");
    ASSERT_EQ(::mkdir(folder.constData(), 0755), 0);
    const QByteArray mapFile = folder + QByteArrayLiteral("/Bad\xff\xfe.map");
    const int file = ::open(mapFile.constData(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(file, 0);
    ::close(file);
    writeFile(maps() + QStringLiteral("/Good/Good.map"));

    EXPECT_EQ(countMapFolders(maps()), 1);
    EXPECT_EQ(surveyMapFolders(maps()).size(), 1);
    EXPECT_FALSE(findFile(QStringLiteral("absent"), maps()));
    EXPECT_TRUE(findFile(QStringLiteral("good.map"), maps()));
}

namespace {

struct ThumbnailCase
{
    const char *label;
    QStringList entries;
    std::optional<QString> expected;

    friend void PrintTo(const ThumbnailCase &testCase, std::ostream *out) { *out << testCase.label; }
};

class FirstMapThumbnail : public testing::TestWithParam<ThumbnailCase>
{};

} // namespace

TEST_P(FirstMapThumbnail, PrefersTheImageNamedLikeTheFolder)
{
    const QString folder = maps() + QStringLiteral("/Foo");
    writeFile(folder + QStringLiteral("/Foo.map"));
    layOut(folder, GetParam().entries);
    const std::optional<QString> expected =
        GetParam().expected.has_value() ? std::optional(folder + u'/' + *GetParam().expected) : std::nullopt;
    EXPECT_EQ(firstMapThumbnail(folder), expected);

    const QList<MapFolderSurvey> surveys = surveyMapFolders(maps());
    ASSERT_EQ(surveys.size(), 1);
    EXPECT_EQ(surveys.first().thumbnail, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, FirstMapThumbnail,
    testing::Values(
        ThumbnailCase{"NamedLikeFolderFirst",
                      {QStringLiteral("preview.png"), QStringLiteral("Foo.tga"), QStringLiteral("a.jpg")},
                      QStringLiteral("Foo.tga")},
        ThumbnailCase{
            "ThenByNameIgnoringCase", {QStringLiteral("b.png"), QStringLiteral("A.jpg")}, QStringLiteral("A.jpg")},
        ThumbnailCase{"CaseOfNameAndExtensionIgnored",
                      {QStringLiteral("a.png"), QStringLiteral("FOO.JPEG")},
                      QStringLiteral("FOO.JPEG")},
        ThumbnailCase{"OnlyAcceptedExtensions",
                      {QStringLiteral("Foo.bmp"), QStringLiteral("Foo.tga.txt"), QStringLiteral("z.Png")},
                      QStringLiteral("z.Png")},
        ThumbnailCase{"HiddenNestedAndFoldersIgnored",
                      {QStringLiteral(".Foo.tga"), QStringLiteral("sub/Foo.tga"), QStringLiteral("Foo.png/")},
                      std::nullopt},
        ThumbnailCase{"NoImages", {QStringLiteral("notes.txt")}, std::nullopt}),
    [](const testing::TestParamInfo<ThumbnailCase> &info) { return info.param.label; });

TEST(MapThumbnail, MissingFolderHasNone)
{
    EXPECT_EQ(firstMapThumbnail(maps() + QStringLiteral("/Foo")), std::nullopt);

    writeFile(inHome(QStringLiteral("Foo.tga")));
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(home()));
    EXPECT_EQ(firstMapThumbnail(QString()), std::nullopt);
    QDir::setCurrent(previous);
}
