#include "platform/Platform.h"
#include "support/FileTree.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

// The tool commands run for real against archives and trees made here, so a
// wrong argument form fails the way it would for a user.
namespace {

// Runs a program to completion and returns its output; the test fails when
// it does not exit with 0.
QString run(const QString &program, const QStringList &arguments, const QString &folder = {})
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(60000);
    const QString output = QString::fromUtf8(process.readAll());
    EXPECT_TRUE(finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        << program.toStdString() << ": " << output.toStdString();
    return output;
}

QString run(const ToolCommand &command)
{
    return run(command.program, command.arguments);
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArrayLiteral("<missing>");
}

class ToolCommands : public testing::Test
{
protected:
    // Paths with spaces, as below "Application Support".
    const QString source = FileTree::inHome(QStringLiteral("Source Tree"));
    const QString destination = FileTree::inHome(QStringLiteral("Destination Tree"));
    const std::unique_ptr<Platform> platform = createPlatform();

    void SetUp() override
    {
        FileTree::writeFile(source + QStringLiteral("/Maps/new.map"), "new");
        FileTree::writeFile(source + QStringLiteral("/.hidden"), "hidden");
        FileTree::writeFile(destination + QStringLiteral("/Maps/new.map"), "old");
        FileTree::writeFile(destination + QStringLiteral("/kept.txt"), "kept");
    }

    // The destination's old file is replaced, its other files stay, and the
    // source's entries land directly in it.
    void expectMerged() const
    {
        EXPECT_EQ(contents(destination + QStringLiteral("/Maps/new.map")), "new");
        EXPECT_EQ(contents(destination + QStringLiteral("/.hidden")), "hidden");
        EXPECT_EQ(contents(destination + QStringLiteral("/kept.txt")), "kept");
        EXPECT_FALSE(QFileInfo::exists(destination + QStringLiteral("/Source Tree")));
    }
};

TEST_F(ToolCommands, UnzipMergesIntoAnExistingFolderWithoutAsking)
{
    const QString archive = FileTree::inHome(QStringLiteral("An Archive.zip"));
    run(QStringLiteral("zip"), {QStringLiteral("-q"), QStringLiteral("-r"), archive, QStringLiteral(".")}, source);

    run(platform->unzipCommand(archive, destination));
    expectMerged();
}

TEST_F(ToolCommands, CopyTreeMergesContentsAndKeepsSymlinks)
{
    FileTree::makeSymlink(QStringLiteral("Maps/new.map"), source + QStringLiteral("/link.map"));

    run(platform->copyTreeCommand(source, destination));
    expectMerged();
    EXPECT_EQ(QFileInfo(destination + QStringLiteral("/link.map")).symLinkTarget(),
              destination + QStringLiteral("/Maps/new.map"));
}

TEST_F(ToolCommands, ListZipNamesEveryEntryOnItsOwnLine)
{
    const QString archive = FileTree::inHome(QStringLiteral("An Archive.zip"));
    run(QStringLiteral("zip"), {QStringLiteral("-q"), QStringLiteral("-r"), archive, QStringLiteral(".")}, source);

    QStringList entries = run(platform->listZipCommand(archive)).split(u'\n', Qt::SkipEmptyParts);
    entries.sort();
    EXPECT_EQ(entries,
              QStringList({QStringLiteral(".hidden"), QStringLiteral("Maps/"), QStringLiteral("Maps/new.map")}));
}

class UntarCommand : public ToolCommands, public testing::WithParamInterface<const char *>
{};

TEST_P(UntarCommand, UnpacksEitherCompressionIntoAnExistingFolder)
{
    const QString archive = FileTree::inHome(QStringLiteral("An Archive.tar.") + QLatin1String(GetParam()));
    run(QStringLiteral("tar"), {QStringLiteral("-caf"), archive, QStringLiteral(".")}, source);

    run(platform->untarCommand(archive, destination));
    expectMerged();
}

INSTANTIATE_TEST_SUITE_P(, UntarCommand, testing::Values("gz", "xz"));

TEST_F(ToolCommands, ProcessListShowsThisProcessWithItsCommand)
{
    const QStringList lines = run(platform->listProcessesCommand()).split(u'\n', Qt::SkipEmptyParts);
    const QString ownPid = QString::number(QCoreApplication::applicationPid());
    const auto own = std::find_if(lines.begin(), lines.end(),
                                  [&](const QString &line) { return line.trimmed().startsWith(ownPid + u' '); });
    ASSERT_NE(own, lines.end());
    // pid, cpu share, then the full command line.
    const QStringList fields = own->simplified().split(u' ');
    ASSERT_GE(fields.size(), 3);
    EXPECT_TRUE(fields[1].contains(u'.'));
    EXPECT_TRUE(fields[2].endsWith(QStringLiteral("platform_tests")));
}

} // namespace
