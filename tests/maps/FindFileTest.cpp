#include "maps/MapFolders.h"
#include "support/FileTree.h"

#include <gtest/gtest.h>

#include <unistd.h>

using namespace FileTree;

namespace {

QString root()
{
    return inHome(QStringLiteral("Game"));
}

} // namespace

TEST(FindFile, MatchesNameIgnoringCaseAtAnyDepth)
{
    writeFile(root() + QStringLiteral("/Data/Bin/x64/GENERALS.EXE"));
    EXPECT_EQ(findFile(QStringLiteral("generals.exe"), root()), root() + QStringLiteral("/Data/Bin/x64/GENERALS.EXE"));
    EXPECT_EQ(findFile(QStringLiteral("BIN"), root()), root() + QStringLiteral("/Data/Bin"));
}

TEST(FindFile, SkipsHiddenItemsAndTheirContents)
{
    writeFile(root() + QStringLiteral("/.cache/Generals.exe"));
    writeFile(root() + QStringLiteral("/sub/.Generals.exe"));
    EXPECT_FALSE(findFile(QStringLiteral("Generals.exe"), root()));
    EXPECT_FALSE(findFile(QStringLiteral(".Generals.exe"), root()));
}

TEST(FindFile, NeverEntersLinkedFoldersSoLoopsEnd)
{
    writeFile(inHome(QStringLiteral("Elsewhere/Generals.exe")));
    makeSymlink(inHome(QStringLiteral("Elsewhere")), root() + QStringLiteral("/outside"));
    makeSymlink(root(), root() + QStringLiteral("/sub/loop"));
    makeSymlink(QStringLiteral(".."), root() + QStringLiteral("/sub/up"));
    EXPECT_FALSE(findFile(QStringLiteral("Generals.exe"), root()));
}

TEST(FindFile, MissingRootFindsNothing)
{
    EXPECT_FALSE(findFile(QStringLiteral("Generals.exe"), root()));
}

TEST(FindFile, UnreadableRootFindsNothing)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads every folder";
    writeFile(root() + QStringLiteral("/Generals.exe"));
    ASSERT_TRUE(QFile::setPermissions(root(), QFile::Permissions()));
    EXPECT_FALSE(findFile(QStringLiteral("Generals.exe"), root()));
}
