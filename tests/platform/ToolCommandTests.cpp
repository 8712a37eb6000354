#include "maps/MapArchive.h"
#include "platform/Platform.h"
#include "support/FileTree.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

using namespace FileTree;
using namespace Qt::StringLiterals;

// The tool commands run for real, so a wrong argument form fails the way it
// would for a user.
namespace {

// Runs a command in folder and returns its output; the test fails unless it
// exits with 0, so a command that stops to ask a question fails too.
QString run(const ToolCommand &command, const QString &folder = {})
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(command.program, command.arguments);
    EXPECT_TRUE(process.waitForFinished(60000) && process.exitCode() == 0) << command.program.toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Each command puts the source's entries, hidden ones too, directly into an
// existing folder, replaces what is there without asking and keeps links.
TEST(ToolCommands, UnpackAndCopyMergeIntoAnExistingFolder)
{
    const std::unique_ptr<Platform> platform = createPlatform();
    // Paths with spaces, as below "Application Support".
    const QString source = inHome(u"Source Tree"_s);
    const QString destination = inHome(u"Destination Tree"_s);
    const QString zip = inHome(u"An Archive.zip"_s);
    writeFile(source + u"/.hidden/new.map"_s, "new");
    makeSymlink(u".hidden/new.map"_s, source + u"/link.map"_s);
    run({u"zip"_s, {u"-qry"_s, zip, u".hidden"_s, u"link.map"_s}}, source);
    EXPECT_EQ(run(platform->listZipCommand(zip)), u".hidden/\n.hidden/new.map\nlink.map\n"_s);
    // The file's 3 bytes and the link's 15.
    EXPECT_EQ(listedUncompressedBytes(run(platform->zipTotalsCommand(zip))), 18);

    QList<ToolCommand> commands{platform->unzipCommand(zip, destination)};
    for (const QString &tar : {inHome(u"An Archive.tar.gz"_s), inHome(u"An Archive.tar.xz"_s)}) {
        run({u"tar"_s, {u"-caf"_s, tar, u"."_s}}, source);
        commands.append(platform->untarCommand(tar, destination));
    }
    // An archive whose entries sit below one top-level folder.
    const QString nested = inHome(u"Nested Archive.tar.xz"_s);
    run({u"tar"_s, {u"-caf"_s, nested, u"Source Tree"_s}}, home());
    commands.append(platform->untarCommand(nested, destination, 1));
    commands.append(platform->copyTreeCommand(source, destination));
    for (const ToolCommand &command : commands) {
        writeFile(destination + u"/.hidden/new.map"_s, "old");
        QFile::remove(destination + u"/link.map"_s);
        run(command);
        QFile merged(destination + u"/.hidden/new.map"_s);
        EXPECT_TRUE(merged.open(QIODevice::ReadOnly) && merged.readAll() == "new") << command.program.toStdString();
        EXPECT_EQ(QFileInfo(destination + u"/link.map"_s).symLinkTarget(), merged.fileName());
    }
}

// Each folder arrives whole under its own name beside what is there, its
// hidden entries and links kept.
TEST(ToolCommands, CopyFoldersIntoAnExistingFolder)
{
    const std::unique_ptr<Platform> platform = createPlatform();
    const QString destination = inHome(u"Game Maps"_s);
    writeFile(destination + u"/Own Map/Own Map.map"_s, "mine");
    const QStringList folders{inHome(u"Cache/Map One"_s), inHome(u"Official/Map Two"_s)};
    for (const QString &folder : folders) {
        writeFile(folder + u"/.hidden/a.map"_s, "map");
        makeSymlink(u".hidden/a.map"_s, folder + u"/link.map"_s);
    }
    run(platform->copyFoldersIntoCommand(folders, destination));
    EXPECT_EQ(QDir(destination).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
              (QStringList{u"Map One"_s, u"Map Two"_s, u"Own Map"_s}));
    for (const QString &map : {u"Map One"_s, u"Map Two"_s}) {
        EXPECT_EQ(readFile(destination + u'/' + map + u"/.hidden/a.map"_s), "map");
        EXPECT_EQ(QFileInfo(destination + u'/' + map + u"/link.map"_s).symLinkTarget(),
                  destination + u'/' + map + u"/.hidden/a.map"_s);
    }
}

} // namespace
