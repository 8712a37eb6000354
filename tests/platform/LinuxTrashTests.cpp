#include "platform/LinuxPlatform.h"
#include "platform/ScopedVariable.h"
#include "support/FileTree.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString xdgTrash(const QString &relative)
{
    return FileTree::inHome(QStringLiteral(".local/share/Trash/") + relative);
}

class Capacity : public testing::TestWithParam<const char *>
{};

// The support folder does not exist before the first setup; its volume still
// answers through the nearest existing ancestor.
TEST_P(Capacity, IsKnownForExistingAndNotYetCreatedFolders)
{
    const std::optional<qint64> bytes = LinuxPlatform().availableCapacity(FileTree::inHome(QLatin1String(GetParam())));
    ASSERT_TRUE(bytes.has_value());
    EXPECT_GT(*bytes, 0);
}

INSTANTIATE_TEST_SUITE_P(, Capacity, testing::Values("", "Library/Application Support/Tarnhold"));

// A fresh home has no ~/.local/share yet.
TEST(Trash, MovesAFolderIntoTheXdgTrash)
{
    FileTree::writeFile(FileTree::inHome(QStringLiteral("Maps/Desert Fury/map.map")), "map");
    QString error;

    ASSERT_TRUE(LinuxPlatform().moveToTrash(FileTree::inHome(QStringLiteral("Maps/Desert Fury")), &error));
    EXPECT_FALSE(QFileInfo::exists(FileTree::inHome(QStringLiteral("Maps/Desert Fury"))));
    QFile moved(xdgTrash(QStringLiteral("files/Desert Fury/map.map")));
    ASSERT_TRUE(moved.open(QIODevice::ReadOnly));
    EXPECT_EQ(moved.readAll(), "map");
    EXPECT_TRUE(QFileInfo::exists(xdgTrash(QStringLiteral("info/Desert Fury.trashinfo"))));
    EXPECT_TRUE(error.isEmpty());
}

TEST(Trash, AMissingItemIsAFailureThatTouchesNothingElse)
{
    const QString sibling = FileTree::inHome(QStringLiteral("Maps/Keep/map.map"));
    FileTree::writeFile(sibling, "map");
    QString error;

    EXPECT_FALSE(LinuxPlatform().moveToTrash(FileTree::inHome(QStringLiteral("Maps/Gone")), &error));
    EXPECT_EQ(error, QStringLiteral("“Gone” could not be moved to the Trash because it does not exist."));
    EXPECT_TRUE(QFileInfo::exists(sibling));
}

// Without a possible Trash, Qt alone would move the item below the working
// directory and report success.
TEST(Trash, NoPossibleTrashIsAFailureThatKeepsTheItem)
{
    const QString blocker = FileTree::inHome(QStringLiteral("not a folder"));
    FileTree::writeFile(blocker);
    const ScopedVariable dataHome("XDG_DATA_HOME", blocker);
    const QString map = FileTree::inHome(QStringLiteral("Maps/Desert Fury"));
    FileTree::makeFolder(map);
    QString error;

    EXPECT_FALSE(LinuxPlatform().moveToTrash(map, &error));
    EXPECT_EQ(error, QStringLiteral("“Desert Fury” could not be moved to the Trash and was left where it is."));
    EXPECT_TRUE(QFileInfo(map).isDir());
}

// The Trash only renames; an item on another file system (here /proc, which
// can have no Trash) must be reported and left alone, with no stray entry.
TEST(Trash, AnItemOnAnotherFileSystemIsReportedAndLeftInPlace)
{
    QString error;

    EXPECT_FALSE(LinuxPlatform().moveToTrash(QStringLiteral("/proc/version"), &error));
    EXPECT_EQ(error, QStringLiteral("“version” could not be moved to the Trash and was left where it is."));
    EXPECT_TRUE(QFileInfo::exists(QStringLiteral("/proc/version")));
    EXPECT_TRUE(QDir(xdgTrash(QStringLiteral("info"))).isEmpty());
}

} // namespace
