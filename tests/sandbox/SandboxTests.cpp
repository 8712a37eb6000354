#include "support/FileTree.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace {

using namespace Qt::StringLiterals;

// The world is the sandbox's home, and its sites answer: the status sees an
// empty installation and the release its update channel offers.
TEST(Sandbox, RunsTarnholdInsideItsWorld)
{
    const QString world = FileTree::inHome(u"world"_s);
    QProcess sandbox;
    sandbox.start(QStringLiteral(TARNHOLD_SANDBOX), {u"--world"_s, world, u"status"_s, u"--json"_s});
    ASSERT_TRUE(sandbox.waitForFinished(120'000));
    EXPECT_EQ(sandbox.exitCode(), 0) << sandbox.readAllStandardError().toStdString();
    const QJsonObject status = QJsonDocument::fromJson(sandbox.readAllStandardOutput()).object();
    EXPECT_EQ(status[u"statusTitle"_s], u"Installation required"_s);
    EXPECT_EQ(status[u"hasUpdate"_s], true);
    EXPECT_TRUE(QFileInfo(world + u"/Library/Application Support/Tarnhold"_s).isDir());
    EXPECT_FALSE(QFileInfo::exists(FileTree::inHome(u"Library"_s)));

    sandbox.start(QStringLiteral(TARNHOLD_SANDBOX), {u"status"_s});
    ASSERT_TRUE(sandbox.waitForFinished(120'000));
    EXPECT_EQ(sandbox.exitCode(), 2);
}

} // namespace
