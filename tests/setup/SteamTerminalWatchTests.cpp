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

    std::optional<qint32> finalStatus() const
    {
        if (!eventually([&] { return !finished.isEmpty(); }))
            return std::nullopt;
        EXPECT_EQ(finished.count(), 1);
        return finished.constFirst().constFirst().value<qint32>();
    }

    const QString game = SteamGameFolder::location();
    QPointer<SteamTerminalWatch> watcher =
        new SteamTerminalWatch(steamTerminalScriptFile(), steamTerminalResultFile(), game, 1ms);
    QSignalSpy progress{watcher.data(), &SteamTerminalWatch::manifestRead};
    QSignalSpy finished{watcher.data(), &SteamTerminalWatch::finished};
};

// The result file's text, whether the script still runs, a file in the
// game folder and the status the watch ends with.
class SteamTerminalWatchEndings : public SteamTerminalWatchTest,
                                  public testing::WithParamInterface<std::tuple<QByteArray, bool, QString, qint32>>
{};

// A status in the result file ends the watch and the file is removed;
// without one, the script's end decides by what was downloaded.
TEST_P(SteamTerminalWatchEndings, EndWithTheStatusOrWhatTheScriptLeft)
{
    const auto &[result, scriptRuns, gameFile, status] = GetParam();
    if (scriptRuns)
        FileTree::writeFile(steamTerminalScriptFile());
    if (!result.isEmpty())
        FileTree::writeFile(steamTerminalResultFile(), result);
    if (!gameFile.isEmpty())
        FileTree::writeFile(game + gameFile);
    EXPECT_EQ(finalStatus(), status);
    EXPECT_FALSE(QFile::exists(steamTerminalResultFile()));
}

INSTANTIATE_TEST_SUITE_P(Results, SteamTerminalWatchEndings,
                         testing::Values(std::tuple("0\n", true, QString(), 0), std::tuple("+5", false, QString(), 5),
                                         std::tuple("", false, QString(), -1),
                                         std::tuple("", false, u"/Game/generals.EXE"_s, 0)));

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
    EXPECT_EQ(finalStatus(), -1);
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
