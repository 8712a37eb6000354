#include "content/Sha256.h"
#include "support/FileTree.h"

#include <gtest/gtest.h>

namespace {

TEST(Sha256, MatchesThePublishedTestVectors)
{
    EXPECT_EQ(sha256({}), QStringLiteral("e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"));
    EXPECT_EQ(sha256("abc"), QStringLiteral("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"));
    EXPECT_EQ(sha256InBackground(QByteArray("abc")).result(), sha256("abc"));
}

TEST(FilesMatch, ComparesContentsAndIsFalseForWhatCannotBeRead)
{
    const QString first = FileTree::inHome(QStringLiteral("a.ini"));
    const QString same = FileTree::inHome(QStringLiteral("b.ini"));
    const QString other = FileTree::inHome(QStringLiteral("c.ini"));
    FileTree::writeFile(first, "Resolution = 2560 1440\n");
    FileTree::writeFile(same, "Resolution = 2560 1440\n");
    FileTree::writeFile(other, "Resolution = 1920 1080\n");
    FileTree::makeFolder(FileTree::inHome(QStringLiteral("folder")));

    EXPECT_TRUE(filesMatch(first, first));
    EXPECT_TRUE(filesMatch(first, same));
    EXPECT_FALSE(filesMatch(first, other));
    EXPECT_FALSE(filesMatch(first, FileTree::inHome(QStringLiteral("missing.ini"))));
    EXPECT_FALSE(filesMatch(FileTree::inHome(QStringLiteral("missing.ini")), first));
    EXPECT_FALSE(filesMatch(FileTree::inHome(QStringLiteral("folder")), FileTree::inHome(QStringLiteral("folder"))));
}

} // namespace
