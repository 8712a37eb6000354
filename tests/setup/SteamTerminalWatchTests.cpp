#include "setup/SteamGameFolder.h"
#include "setup/SteamTerminalScript.h"
#include "setup/SteamTerminalWatch.h"
#include "support/FileTree.h"
#include "support/Wait.h"

#include <gtest/gtest.h>

#include <QPointer>
#include <QSignalSpy>

using namespace std::chrono_literals;
using namespace Qt::Literals::StringLiterals;

namespace {

// A watch on the support folder's script and result file, looking every
// millisecond from the first turn of the event loop.
class SteamTerminalWatchTest : public testing::Test
{
protected:
    SteamTerminalWatchTest() { watcher->start(); }
    ~SteamTerminalWatchTest() override { delete watcher; }

    const QString game = SteamGameFolder::location();
    QPointer<SteamTerminalWatch> watcher =
        new SteamTerminalWatch(steamTerminalScriptFile(), steamTerminalResultFile(), game, 1ms);
    QSignalSpy progress{watcher.data(), &SteamTerminalWatch::manifestRead};
    QSignalSpy finished{watcher.data(), &SteamTerminalWatch::finished};
};

// Text that is not a status is left alone while the script still runs; each
// look reports the manifest's progress.
TEST_F(SteamTerminalWatchTest, WaitsForTheScriptPastAResultThatIsNoNumber)
{
    FileTree::writeFile(steamTerminalScriptFile());
    FileTree::writeFile(steamTerminalResultFile(), "99999999999");
    FileTree::writeFile(SteamGameFolder::manifestFile(game),
                        "\"BytesToDownload\" \"4000\" \"BytesDownloaded\" \"1000\"");
    ASSERT_TRUE(eventually([&] { return progress.count() >= 3; }));
    EXPECT_TRUE(finished.isEmpty());
    EXPECT_EQ(progress.constFirst().constFirst().toDouble(), 0.25);

    QFile::remove(steamTerminalScriptFile());
    ASSERT_TRUE(eventually([&] { return !finished.isEmpty(); }));
    EXPECT_EQ(finished.constFirst().constFirst().value<qint32>(), -1);
    EXPECT_TRUE(QFile::exists(steamTerminalResultFile()));
}

// A receiver that ends the watch while it reports progress ends that look too.
TEST_F(SteamTerminalWatchTest, DestroyedByAProgressReceiverItLooksNoFurther)
{
    FileTree::writeFile(steamTerminalResultFile(), "0\n");
    FileTree::writeFile(SteamGameFolder::manifestFile(game), "\"BytesToDownload\" \"4\" \"BytesDownloaded\" \"4\"");
    QObject::connect(watcher, &SteamTerminalWatch::manifestRead, watcher, [&] { delete watcher; });
    ASSERT_TRUE(eventually([&] { return watcher.isNull(); }));
    EXPECT_TRUE(finished.isEmpty());
    EXPECT_TRUE(QFile::exists(steamTerminalResultFile()));
}

} // namespace
