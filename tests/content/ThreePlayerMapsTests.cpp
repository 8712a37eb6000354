#include "base/Locations.h"
#include "content/CncLabsLink.h"
#include "content/DownloadError.h"
#include "content/Sha256.h"
#include "content/ThreePlayerMaps.h"
#include "content/TransferErrors.h"
#include "content/UserAgent.h"
#include "support/ClientArchive.h"
#include "support/CommunityWorld.h"
#include "support/FileTree.h"
#include "support/Outcome.h"
#include "support/TestServices.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>

namespace {

using namespace Qt::StringLiterals;

// Only the marker onwards counts, so whatever host a page names, the token
// goes to the site itself.
TEST(CncLabsLink, AcceptsOnlyTheItemsFileOnTheSite)
{
    const QUrl site(u"https://www.cnclabs.com"_s);
    const std::tuple<const char *, QString, QUrl> pages[] = {
        {R"(<a href="/downloads/file/220/?token=abc">)", u"https://www.cnclabs.com/downloads/file/220/?token=abc"_s,
         site},
        {"<a href='/downloads/file/220/?token=a&amp;b=1&amp;amp'>",
         u"https://www.cnclabs.com/downloads/file/220/?token=a&b=1&amp"_s, site},
        {R"(<a href="https://evil.example/downloads/file/220/?token=t">)",
         u"https://www.cnclabs.com/downloads/file/220/?token=t"_s, site},
        {R"(<a href="/downloads/file/220/?token=t#top">)", u"http://127.0.0.1:8080/downloads/file/220/?token=t#top"_s,
         QUrl(u"http://127.0.0.1:8080/cnclabs"_s)},
        {R"(<a href="/downloads/file/221/?token=t">)", {}, site},
        {R"(<a href="/downloads/file/2200/?token=t">)", {}, site},
        {"<a href=/downloads/file/220/?token=t>", {}, site},
        {R"(<a href="/downloads/file/220/?token=a b">)", {}, site}};
    for (const auto &[html, expected, base] : pages)
        EXPECT_EQ(cnclabsDownloadURL(base, 220, QString::fromUtf8(html)).value_or(QUrl()).toString(), expected) << html;
}

class ThreePlayerMapsTest : public testing::Test, public TestServices
{
public:
    CommunityWorld world{server, catalog};
    const QString folder = Locations::threePlayerMapsFolder();
    QList<QString> activities;

    ThreePlayerMapsTest()
    {
        world.serveThreePlayerMaps();
        QObject::connect(&operation, &OperationState::activityChanged,
                         [this] { activities.append(operation.activity()); });
    }
    static QString kept(int item) { return Locations::threePlayerArchiveFolder() + u"/%1.zip"_s.arg(item); }
    QStringList prepared() const { return QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot); }
    static QStringList archiveFolder()
    {
        return QDir(Locations::threePlayerArchiveFolder()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
    }
    Outcome<QString> prepare()
    {
        ThreePlayerMaps maps(services(), operation);
        return outcomeOf(maps.preparePlainThreePlayerMaps());
    }
    void serveDetails(const QByteArray &page)
    {
        server.route(CommunityWorld::detailsPath(2), FixtureResponse(200, {}, page));
    }
    std::optional<QString> cached() { return ThreePlayerMaps(services(), operation).cachedPlainThreePlayerMapsURL(); }
};

TEST_F(ThreePlayerMapsTest, PreparesThePinnedMapsAndThenNeedsNoNetwork)
{
    EXPECT_EQ(cached(), std::nullopt);
    EXPECT_EQ(prepare().value, folder);
    EXPECT_EQ(prepared(), CommunityWorld::threePlayerMapNames());
    EXPECT_TRUE(QFileInfo::exists(folder + u"/Three Beta/Three Beta.MAP"_s));
    EXPECT_EQ(archiveFolder(), (QStringList{u"1.zip"_s, u"2.zip"_s})) << "the staging folder is gone";
    EXPECT_EQ(activities, (QList{u"Downloading three-player map 1 of 2: Three Alpha…"_s,
                                 u"Downloading three-player map 2 of 2: Three Beta…"_s}));
    const QList<FixtureRequest> requests = server.requests();
    ASSERT_EQ(requests.size(), 4);
    EXPECT_EQ(requests[1].path, CommunityWorld::filePath(1));
    EXPECT_TRUE(requests[1].headers.contains({"User-Agent", userAgent}));
    EXPECT_TRUE(requests[1].headers.contains({"Referer", server.url(CommunityWorld::detailsPath(1)).toEncoded()}));
    EXPECT_EQ(cached(), folder);

    // Kept archives rebuild a lost folder, and one with a map added by hand,
    // without asking the site again.
    FileTree::writeFile(folder + u"/Extra/Extra.map"_s);
    EXPECT_EQ(cached(), std::nullopt);
    EXPECT_TRUE(prepare().value);
    QDir(folder).removeRecursively();
    EXPECT_TRUE(prepare().value);
    EXPECT_EQ(prepared(), CommunityWorld::threePlayerMapNames());
    EXPECT_EQ(server.requests().size(), 4);
}

TEST_F(ThreePlayerMapsTest, AWrongKeptArchiveIsReplacedOnlyByThePinnedBytesAfterThePause)
{
    timing.cncLabsPause = 50ms;
    const QByteArray alpha = CommunityWorld::mapArchive(u"Three Alpha"_s, u"Three Alpha"_s);
    FileTree::writeFile(kept(1), "stale");
    server.route(CommunityWorld::filePath(1), {{200, {}, "tampered"}, {200, {}, alpha}});
    ThreePlayerMaps maps(services(), operation);
    ThreePlayerMapPackage package = catalog.threePlayerMaps[0];
    package.sha256 = sha256(alpha);
    EXPECT_TRUE(outcomeOf(maps.downloadPlainThreePlayerArchive(package, kept(1))).failure<CorruptFileError>());
    EXPECT_EQ(FileTree::readFile(kept(1)), QByteArray("stale"));
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(outcomeOf(maps.downloadPlainThreePlayerArchive(package, kept(1))).value, alpha);
    EXPECT_GE(clock.elapsed(), 50);
    EXPECT_EQ(FileTree::readFile(kept(1)), alpha);
    EXPECT_EQ(server.requestCount(CommunityWorld::filePath(1)), 2);
}

struct Failure
{
    const char *name;
    std::function<void(ThreePlayerMapsTest &)> arrange;
    bool serverStatus = false; // otherwise a corrupt file
};

class ThreePlayerMapsFailure : public ThreePlayerMapsTest, public testing::WithParamInterface<Failure>
{};

// Every failure leaves the earlier prepared folder as it was and no
// staging folder behind; the first map's archive is kept for the next try.
TEST_P(ThreePlayerMapsFailure, LeavesThePreparedFolderAlone)
{
    FileTree::writeFile(folder + u"/Old/Old.map"_s);
    GetParam().arrange(*this);
    const Outcome<QString> outcome = prepare();
    EXPECT_EQ(bool(outcome.failure<DownloadError>()), GetParam().serverStatus);
    EXPECT_EQ(bool(outcome.failure<CorruptFileError>()), !GetParam().serverStatus);
    EXPECT_EQ(prepared(), QStringList{u"Old"_s});
    EXPECT_TRUE(archiveFolder().contains(u"1.zip"_s));
    EXPECT_FALSE(archiveFolder().join(u'|').contains(u"plain-three-player-"_s));
}

INSTANTIATE_TEST_SUITE_P(
    Sites, ThreePlayerMapsFailure,
    testing::Values(Failure{"NoLink", [](auto &t) { t.serveDetails("<p>Log in to download</p>"); }},
                    Failure{"NotUTF8",
                            [](auto &t) {
                                t.serveDetails(R"(<a href="/downloads/file/2/?token=t">)"
                                               "\xff\xfe");
                            }},
                    Failure{"OtherDigest",
                            [](auto &t) {
                                t.world.serve(CommunityWorld::filePath(2),
                                              CommunityWorld::mapArchive(u"Three Beta"_s, u"Beta"_s));
                            }},
                    Failure{"MissingPage",
                            [](auto &t) { t.server.route(CommunityWorld::detailsPath(2), FixtureResponse(404)); },
                            true},
                    Failure{"MapIniDeepInside",
                            [](auto &t) {
                                t.catalog.threePlayerMaps[1].sha256 =
                                    t.world.serve(CommunityWorld::filePath(2),
                                                  ClientArchive::zip({{u"Three Beta/Three Beta.map"_s, {}},
                                                                      {u"Three Beta/data/rules/MAP.INI"_s, {}}}));
                            }},
                    Failure{"NoMapOfThatName", [](auto &t) { t.catalog.threePlayerMaps[1].mapName = u"Gamma"_s; }}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
