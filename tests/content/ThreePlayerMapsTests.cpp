#include "base/Locations.h"
#include "content/CncLabsLink.h"
#include "content/DownloadError.h"
#include "content/Sha256.h"
#include "content/ThreePlayerMaps.h"
#include "content/TransferErrors.h"
#include "content/UserAgent.h"
#include "support/FileTree.h"
#include "support/Outcome.h"
#include "support/TestServices.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QSignalSpy>

namespace {

using namespace Qt::StringLiterals;

struct LinkCase
{
    const char *site;
    const char *html;
    const char *expected; // empty: no link
};

class CncLabsLink : public testing::TestWithParam<LinkCase>
{};

TEST_P(CncLabsLink, AcceptsOnlyTheItemsFileOnTheSite)
{
    const LinkCase &sample = GetParam();
    const std::optional<QUrl> link =
        cnclabsDownloadURL(QUrl(QString::fromUtf8(sample.site)), 220, QString::fromUtf8(sample.html));
    EXPECT_EQ(link.value_or(QUrl()).toString(), QString::fromUtf8(sample.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Pages, CncLabsLink,
    testing::Values(LinkCase{"https://www.cnclabs.com", R"(<a href="/downloads/file/220/?token=abc">)",
                             "https://www.cnclabs.com/downloads/file/220/?token=abc"},
                    LinkCase{"https://www.cnclabs.com", "<a href='/downloads/file/220/?token=a&amp;b=1&amp;amp'>",
                             "https://www.cnclabs.com/downloads/file/220/?token=a&b=1&amp"},
                    // Only the marker onwards counts, so whatever host a page names, the
                    // token goes to the site itself.
                    LinkCase{"https://www.cnclabs.com",
                             R"(<a href="https://www.cnclabs.com/downloads/file/220/?token=t">)",
                             "https://www.cnclabs.com/downloads/file/220/?token=t"},
                    LinkCase{"https://www.cnclabs.com",
                             R"(<a href="https://evil.example/downloads/file/220/?token=t">)",
                             "https://www.cnclabs.com/downloads/file/220/?token=t"},
                    LinkCase{"http://127.0.0.1:8080/cnclabs", R"(<a href="/downloads/file/220/?token=t#top">)",
                             "http://127.0.0.1:8080/downloads/file/220/?token=t#top"},
                    LinkCase{"https://www.cnclabs.com", R"(<a href="/downloads/file/221/?token=t">)", ""},
                    LinkCase{"https://www.cnclabs.com", R"(<a href="/downloads/file/2200/?token=t">)", ""},
                    LinkCase{"https://www.cnclabs.com", "<a href=/downloads/file/220/?token=t>", ""},
                    LinkCase{"https://www.cnclabs.com", R"(<a href="/downloads/file/220/?token=a b">)", ""}));

const auto detailsPath = [](int item) { return u"/cnclabs/downloads/details/%1/"_s.arg(item); };
const auto filePath = [](int item) { return u"/downloads/file/%1/"_s.arg(item); };
const auto page = [](int item) { return u"<a href=\"/downloads/file/%1/?token=t%1&amp;s=2\">"_s.arg(item).toUtf8(); };

// Zips a map folder laid out by the caller below a scratch folder.
QByteArray mapArchive(const QString &name, const QStringList &files)
{
    const QString root = FileTree::inHome(u"build/"_s + name);
    for (const QString &file : files)
        FileTree::writeFile(QDir(root).filePath(file), file.toUtf8());
    const QString archive = FileTree::inHome(u"build/"_s + name + u".zip"_s);
    FileTree::pack(archive, root, {u"."_s});
    return FileTree::readFile(archive);
}

class ThreePlayerMapsTest : public testing::Test, public TestServices
{
public:
    // The second map sits deeper and in a differently named folder; the
    // table's name is the one installed.
    const QByteArray alpha = mapArchive(u"alpha"_s, {u"Alpha/Alpha.map"_s, u"Alpha/Alpha.tga"_s});
    const QByteArray beta = mapArchive(u"beta"_s, {u"pack/Old Name/beta.MAP"_s});
    QList<QString> activities;

    ThreePlayerMapsTest()
    {
        catalog.threePlayerMaps = {{7, u"Alpha"_s, sha256(alpha)}, {42, u"Beta"_s, sha256(beta)}};
        serve(7, alpha);
        serve(42, beta);
        QObject::connect(&operation, &OperationState::activityChanged,
                         [this] { activities.append(operation.activity()); });
    }
    void serve(int item, const QByteArray &archive, const QByteArray &details = {})
    {
        server.route(detailsPath(item), FixtureResponse(200, {}, details.isNull() ? page(item) : details));
        server.route(filePath(item), FixtureResponse(200, {}, archive));
    }
    static QString kept(int item) { return Locations::threePlayerArchiveFolder() + u"/%1.zip"_s.arg(item); }
    static QStringList prepared()
    {
        return QDir(Locations::threePlayerMapsFolder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    }
    static QStringList archiveFolder()
    {
        return QDir(Locations::threePlayerArchiveFolder()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
    }
    Outcome<QString> prepare()
    {
        ThreePlayerMaps maps(services(), operation);
        return outcomeOf(maps.preparePlainThreePlayerMaps());
    }
    std::optional<QString> cached() { return ThreePlayerMaps(services(), operation).cachedPlainThreePlayerMapsURL(); }
};

TEST_F(ThreePlayerMapsTest, PreparesThePinnedMapsAndThenNeedsNoNetwork)
{
    EXPECT_EQ(cached(), std::nullopt);
    EXPECT_EQ(prepare().value, Locations::threePlayerMapsFolder());
    EXPECT_EQ(prepared(), (QStringList{u"Alpha"_s, u"Beta"_s}));
    EXPECT_TRUE(QFileInfo::exists(Locations::threePlayerMapsFolder() + u"/Beta/beta.MAP"_s));
    EXPECT_EQ(archiveFolder(), (QStringList{u"42.zip"_s, u"7.zip"_s})) << "the staging folder is gone";
    EXPECT_EQ(activities, (QList{u"Downloading three-player map 1 of 2: Alpha…"_s,
                                 u"Downloading three-player map 2 of 2: Beta…"_s}));
    const QList<FixtureRequest> requests = server.requests();
    ASSERT_EQ(requests.size(), 4);
    EXPECT_EQ(requests[1].path, filePath(7));
    EXPECT_TRUE(requests[0].headers.contains({"User-Agent", userAgent}));
    EXPECT_TRUE(requests[1].headers.contains({"User-Agent", userAgent}));
    EXPECT_TRUE(requests[1].headers.contains({"Referer", server.url(detailsPath(7)).toEncoded()}));
    EXPECT_EQ(cached(), Locations::threePlayerMapsFolder());

    // Kept archives rebuild a lost folder, and one with a map added by hand,
    // without asking the site again.
    FileTree::writeFile(Locations::threePlayerMapsFolder() + u"/Extra/Extra.map"_s);
    EXPECT_EQ(cached(), std::nullopt);
    EXPECT_TRUE(prepare().value);
    QDir(Locations::threePlayerMapsFolder()).removeRecursively();
    EXPECT_TRUE(prepare().value);
    EXPECT_EQ(prepared(), (QStringList{u"Alpha"_s, u"Beta"_s}));
    EXPECT_EQ(server.requests().size(), 4);
}

TEST_F(ThreePlayerMapsTest, AWrongKeptArchiveIsReplacedOnlyByThePinnedBytesAfterThePause)
{
    timing.cncLabsPause = 50ms;
    FileTree::writeFile(kept(7), "stale");
    server.route(filePath(7), {{200, {}, "tampered"}, {200, {}, alpha}});
    ThreePlayerMaps maps(services(), operation);
    const ThreePlayerMapPackage package = catalog.threePlayerMaps[0];
    EXPECT_TRUE(outcomeOf(maps.downloadPlainThreePlayerArchive(package, kept(7))).failure<CorruptFileError>());
    EXPECT_EQ(FileTree::readFile(kept(7)), QByteArray("stale"));
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(outcomeOf(maps.downloadPlainThreePlayerArchive(package, kept(7))).value, alpha);
    EXPECT_GE(clock.elapsed(), 50);
    EXPECT_EQ(FileTree::readFile(kept(7)), alpha);
    EXPECT_EQ(server.requestCount(filePath(7)), 2);
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
    FileTree::writeFile(Locations::threePlayerMapsFolder() + u"/Old/Old.map"_s);
    GetParam().arrange(*this);
    const Outcome<QString> outcome = prepare();
    EXPECT_EQ(bool(outcome.failure<DownloadError>()), GetParam().serverStatus);
    EXPECT_EQ(bool(outcome.failure<CorruptFileError>()), !GetParam().serverStatus);
    EXPECT_EQ(prepared(), QStringList{u"Old"_s});
    EXPECT_TRUE(archiveFolder().contains(u"7.zip"_s));
    EXPECT_FALSE(archiveFolder().join(u'|').contains(u"plain-three-player-"_s));
}

INSTANTIATE_TEST_SUITE_P(
    Sites, ThreePlayerMapsFailure,
    testing::Values(
        Failure{"NoLink", [](auto &t) { t.serve(42, t.beta, "<p>Log in to download</p>"); }},
        Failure{"NotUTF8", [](auto &t) { t.serve(42, t.beta, page(42) + "\xff\xfe"); }},
        Failure{"OtherDigest", [](auto &t) { t.serve(42, t.alpha); }},
        Failure{"MissingPage", [](auto &t) { t.server.route(detailsPath(42), FixtureResponse(404)); }, true},
        Failure{"MapIniDeepInside",
                [](auto &t) {
                    const QByteArray ini = mapArchive(u"ini"_s, {u"Beta/Beta.map"_s, u"Beta/data/rules/MAP.INI"_s});
                    t.catalog.threePlayerMaps[1].sha256 = sha256(ini);
                    t.serve(42, ini);
                }},
        Failure{"NoMapOfThatName", [](auto &t) { t.catalog.threePlayerMaps[1].mapName = u"Gamma"_s; }}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
