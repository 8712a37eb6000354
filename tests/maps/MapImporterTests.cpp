#include "base/Catalog.h"
#include "base/Locations.h"
#include "base/OperationState.h"
#include "maps/MapImporter.h"
#include "maps/MapLibrary.h"
#include "support/FakePlatform.h"
#include "support/FileTree.h"
#include "support/Wait.h"
#include "support/ZipWriter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QSignalSpy>

using namespace FileTree;
using namespace Qt::StringLiterals;

namespace {

const QString corrupt = u"Map import failed: The file couldn’t be opened because it isn’t in the correct format."_s;
const QString personal = u". Imported maps remain personal and are not uploaded."_s;

ZipWriter::Entry mapEntry(const QByteArray &name)
{
    return {name + '/' + name + ".map", "map"};
}

class MapImporterTest : public ::testing::Test
{
protected:
    FakePlatform platform;
    OperationState operation;
    Catalog catalog;
    MapLibrary library{catalog};
    MapImporter importer{platform, operation, library};
    const QDir maps{Locations::gameMapsFolder()};
    const QDir temporary{inHome(u"tmp"_s)};
    const QByteArray earlierTemporary = qgetenv("TMPDIR");

    MapImporterTest()
    {
        // The unpacked packages go here, where the test can see them go.
        makeFolder(temporary.path());
        qputenv("TMPDIR", temporary.path().toLocal8Bit());
    }
    ~MapImporterTest() override { qputenv("TMPDIR", earlierTemporary); }

    static QString mapFolder(const QString &parent, const QString &name)
    {
        const QString folder = parent + u'/' + name;
        writeFile(folder + u'/' + name + u".map"_s, "map");
        return folder;
    }

    // Runs an import to its end.
    void import(const QStringList &locations)
    {
        QSignalSpy busyChanges(&operation, &OperationState::isBusyChanged);
        importer.importMaps(locations);
        ASSERT_TRUE(eventually([&] { return busyChanges.count() == 2; }));
        EXPECT_TRUE(temporary.isEmpty()) << "an unpacked package was left behind";
    }

    QStringList installed() const { return maps.entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name); }
};

TEST_F(MapImporterTest, ImportsFoldersFoldersOfMapsAndPackagesWithoutReplacingAny)
{
    const QString picked = inHome(u"picked"_s);
    const QString foo = mapFolder(picked, u"Foo"_s);
    mapFolder(picked, u"Bar"_s);
    writeFile(picked + u"/notes.txt"_s);
    writeFile(maps.filePath(u"Bar/Bar.map"_s), "the player's own");
    writeFile(maps.filePath(u"MapCache.ini"_s));
    QStringList activities;
    QObject::connect(&operation, &OperationState::activityChanged, [&] { activities.append(operation.activity()); });

    import({foo});
    EXPECT_EQ(operation.noticeMessage(), u"Imported 1 map"_s + personal);
    EXPECT_EQ(activities,
              QStringList({u"Checking imported map packages…"_s, u"Importing Foo…"_s, u"Map import complete"_s}));
    EXPECT_EQ(operation.installerPhase(), InstallerPhase::complete);
    EXPECT_EQ(operation.progress(), 1.0);
    EXPECT_EQ(installed(), QStringList({u"Bar"_s, u"Foo"_s}));

    mapFolder(picked, u"Baz"_s);
    writeFile(maps.filePath(u"MapCache.ini"_s));
    import({picked, picked + u"/./Foo"_s, picked + u"/notes.txt"_s});
    EXPECT_EQ(operation.noticeMessage(), u"Imported 1 map; skipped 2 already installed"_s + personal);
    EXPECT_EQ(readFile(maps.filePath(u"Bar/Bar.map"_s)), "the player's own");
    EXPECT_EQ(installed(), QStringList({u"Bar"_s, u"Baz"_s, u"Foo"_s}));
    EXPECT_EQ(library.bundledMapCount(), 3);

    const QString package = inHome(u"downloads/Pack.ZIP"_s);
    ZipWriter::write(package, {mapEntry("One"), mapEntry("Two"), {"Two/Art/preview.tga", "art"}, mapEntry("Foo")});
    import({package});
    EXPECT_EQ(operation.errorMessage(), std::nullopt);
    EXPECT_EQ(operation.noticeMessage(), u"Imported 2 maps; skipped 1 already installed"_s + personal);
    EXPECT_EQ(installed(), QStringList({u"Bar"_s, u"Baz"_s, u"Foo"_s, u"One"_s, u"Two"_s}));
    EXPECT_TRUE(QFileInfo::exists(maps.filePath(u"Two/Art/preview.tga"_s)));
}

// Old Windows tools store names in the DOS code page without saying so;
// newer ones flag UTF-8 but still mark the archive as made on Windows.
TEST_F(MapImporterTest, NamesFromWindowsArchivesArriveAsUnicode)
{
    const QString package = inHome(u"Windows.zip"_s);
    ZipWriter::Entry dos = mapEntry("Caf\x82");
    dos.madeOnWindows = true;
    ZipWriter::Entry flagged = mapEntry("Straße");
    flagged.madeOnWindows = flagged.utf8Name = true;
    ZipWriter::write(package, {dos, flagged});
    import({package});
    EXPECT_EQ(operation.noticeMessage(), u"Imported 2 maps"_s + personal);
    EXPECT_EQ(installed(), QStringList({u"Café"_s, u"Straße"_s}));
}

TEST_F(MapImporterTest, RefusesUnsafeAndOversizedPackagesBeforeUnpackingThem)
{
    const QString outside = inHome(u"outside"_s);
    makeFolder(outside);
    ZipWriter::Entry link("Evil", outside.toUtf8());
    link.mode = 0120777;
    ZipWriter::Entry bomb = mapEntry("Huge");
    bomb.statedSize = 0xFFFFFFF0u;
    const std::pair<QList<ZipWriter::Entry>, QString> packages[] = {
        {{mapEntry("Fine"), {"../Escape/Escape.map", "map"}}, corrupt},
        {{{"/Absolute/Absolute.map", "map"}}, corrupt},
        {{{"Back\\Back.map", "map"}}, corrupt},
        {{{"~/Home/Home.map", "map"}}, corrupt},
        {QList<ZipWriter::Entry>(8, bomb),
         u"Map import failed: The archive “package.zip” unpacks to more data than any map package holds."_s},
        // Unpacking never writes through a link the package brought along.
        {{link, {"Evil/Evil.map", "map"}}, corrupt},
    };
    for (const auto &[entries, message] : packages) {
        const QString package = inHome(u"package.zip"_s);
        ZipWriter::write(package, entries);
        import({package});
        EXPECT_EQ(operation.errorMessage(), message);
        EXPECT_TRUE(QDir(outside).isEmpty());
        EXPECT_FALSE(maps.exists());
        EXPECT_NE(operation.installerPhase(), InstallerPhase::complete);
    }

    platform.capacity = 2;
    ZipWriter::write(inHome(u"package.zip"_s), {mapEntry("Fine")});
    import({inHome(u"package.zip"_s)});
    EXPECT_EQ(operation.errorMessage(),
              u"Map import failed: There is not enough free space to unpack “package.zip”."_s);
}

TEST_F(MapImporterTest, ABadItemEndsTheImportAndKeepsTheMapsCopiedBeforeIt)
{
    const QString picked = inHome(u"picked"_s);
    mapFolder(picked, u"Alpha"_s);
    makeSymlink(inHome(u"elsewhere"_s), mapFolder(picked, u"Zulu"_s) + u"/link"_s);
    import({picked});
    EXPECT_EQ(operation.errorMessage(), corrupt);
    EXPECT_EQ(installed(), QStringList({u"Alpha"_s}));
    EXPECT_EQ(operation.activity(), u"Importing Zulu…"_s);

    writeFile(inHome(u"notes.txt"_s));
    import({inHome(u"notes.txt"_s)});
    EXPECT_EQ(operation.errorMessage(), corrupt);

    import({inHome(u"vanished"_s)});
    EXPECT_EQ(operation.errorMessage(),
              u"Map import failed: The file “vanished” couldn’t be opened because there is no such file."_s);

    // Not a ZIP archive, one cut short and one with a password.
    writeFile(inHome(u"fake.zip"_s), "not an archive");
    ZipWriter::write(inHome(u"cut.zip"_s), {mapEntry("Cut")});
    QFile cut(inHome(u"cut.zip"_s));
    ASSERT_TRUE(cut.resize(cut.size() - 30));
    ZipWriter::Entry locked = mapEntry("Locked");
    locked.encrypted = true;
    ZipWriter::write(inHome(u"locked.zip"_s), {locked});
    for (const QString &archive : {u"fake.zip"_s, u"cut.zip"_s, u"locked.zip"_s}) {
        import({inHome(archive)});
        EXPECT_TRUE(operation.errorMessage()->startsWith(u"Map import failed: "_s)) << archive.toStdString();
    }
    EXPECT_EQ(installed(), QStringList({u"Alpha"_s}));
}

TEST_F(MapImporterTest, RemovesOnlyMapsStillInTheLibrary)
{
    writeFile(maps.filePath(u"Foo/Foo.map"_s));
    writeFile(maps.filePath(u"MapCache.ini"_s));
    QCoro::waitFor(library.refreshMapLibrary());
    const InstalledMap foo = library.installedMaps().value(0);

    platform.trashAccepts = false;
    importer.removeMap(foo);
    EXPECT_EQ(operation.errorMessage(),
              u"The map could not be moved to the Trash: The Trash refused “%1”."_s.arg(foo.folderURL));
    platform.trashAccepts = true;
    importer.removeMap(foo);
    EXPECT_EQ(operation.noticeMessage(), u"Foo was moved to the Trash. Managed maps can be restored from Updates."_s);
    EXPECT_EQ(platform.trashed, QStringList({foo.folderURL}));
    EXPECT_TRUE(eventually([&] { return library.installedMaps().isEmpty(); }));
    EXPECT_FALSE(QFileInfo::exists(maps.filePath(u"MapCache.ini"_s)));

    InstalledMap elsewhere = foo;
    elsewhere.folderURL = mapFolder(inHome(u"picked"_s), u"Foo"_s);
    for (const InstalledMap &gone : {foo, elsewhere}) {
        importer.removeMap(gone);
        EXPECT_EQ(operation.errorMessage(), u"The selected map is no longer inside the game map library."_s);
    }
    EXPECT_EQ(platform.trashed.size(), 1);
}

TEST_F(MapImporterTest, RevealMakesTheMapsFolderAndOpensIt)
{
    importer.revealMapLibrary();
    EXPECT_TRUE(maps.exists());
    EXPECT_EQ(platform.foldersOpened, QStringList({maps.path()}));
}

} // namespace
