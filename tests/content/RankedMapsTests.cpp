#include "base/Locations.h"
#include "content/RankedMapRelease.h"
#include "content/RankedMaps.h"
#include "content/TransferErrors.h"
#include "content/UserAgent.h"
#include "support/CommunityWorld.h"
#include "support/FileTree.h"
#include "support/Outcome.h"
#include "support/TestServices.h"

#include <gtest/gtest.h>

#include <QDir>

namespace {

using namespace Qt::StringLiterals;

const QString commit = CommunityWorld::commit;

// Names repeat across the release folders, newest first; excluded names come
// in mixed case.
const CommunityWorld::RankedRelease release{
    {u"maps2024_1v1_zh"_s, {u"Echo"_s, u"Foxtrot"_s, u"Mortal Temptation II"_s}},
    {u"maps2024_2v2_zh"_s, {u"Alpha"_s, u"Bravo"_s, u"Casino Royale"_s, u"[AoD] Siege"_s, u"ChristMas Eve"_s}},
    {u"maps_1v1_zh"_s, {u"Golf"_s, u"Hotel"_s, u"AOD Fury"_s, u"India"_s}},
    {u"maps_2v2_zh"_s, {u"alpha"_s, u"Bravo"_s, u"Charlie"_s, u"Delta"_s}},
    {u"maps_tournament"_s, {u"Juliet"_s}},
};
const QStringList preparedMaps{u"Alpha"_s,   u"Bravo"_s, u"Charlie"_s, u"Delta"_s, u"Echo"_s,
                               u"Foxtrot"_s, u"Golf"_s,  u"Hotel"_s,   u"India"_s};

QString cacheFolder()
{
    return QDir(Locations::rankedMapsFolder()).filePath(commit);
}

QString keptArchive()
{
    return QDir(Locations::communityDownloadsFolder())
        .filePath(u"TheSuperHackers-GeneralsRankedMaps-%1.zip"_s.arg(commit));
}

QByteArray commitAnswer(const QString &sha)
{
    return u"{\"sha\":\"%1\",\"commit\":{\"message\":\"Update\"}}"_s.arg(sha).toUtf8();
}

class RankedMapsTest : public testing::Test, protected TestServices
{
public:
    CommunityWorld world{server, catalog};
    RankedMaps rankedMaps{services()};

    static QStringList entries(const QString &folder)
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }
};

TEST_F(RankedMapsTest, PreparesTheReleaseOnceAndReusesACompleteCacheOrTheKeptArchive)
{
    world.serveRankedMaps(CommunityWorld::rankedArchive(release));
    server.route(CommunityWorld::rankedCommitPath, FixtureResponse(200, {}, commitAnswer(commit.toUpper())));
    EXPECT_FALSE(rankedMaps.cachedRankedMapsURL());
    EXPECT_EQ(outcomeOf(rankedMaps.prepareLatestRankedMaps()).value, cacheFolder());

    EXPECT_EQ(entries(cacheFolder()), preparedMaps);
    // The newest release folder wins, under its own spelling.
    EXPECT_EQ(FileTree::readFile(cacheFolder() + u"/Alpha/Alpha.map"_s), "maps2024_2v2_zh");
    EXPECT_EQ(FileTree::readFile(cacheFolder() + u"/Bravo/Bravo.map"_s), "maps2024_2v2_zh");
    EXPECT_EQ(record.state().rankedMapsRevision, commit);
    EXPECT_EQ(record.state().rankedMapCount, preparedMaps.size());
    EXPECT_EQ(rankedMaps.cachedRankedMapsURL(), cacheFolder());
    // Only the kept archive stays beside the unpacked copy's place.
    EXPECT_EQ(entries(Locations::communityDownloadsFolder()), QStringList{QFileInfo(keptArchive()).fileName()});
    const FixtureRequest query = server.requests().constFirst();
    EXPECT_TRUE(query.headers.contains({"User-Agent", userAgent}));

    record.setState({});
    EXPECT_EQ(outcomeOf(rankedMaps.prepareLatestRankedMaps()).value, cacheFolder());
    EXPECT_EQ(record.state().rankedMapCount, preparedMaps.size());
    EXPECT_EQ(server.requestCount(CommunityWorld::rankedCommitPath), 2);
    EXPECT_EQ(server.requests().size(), 3);

    // A kept archive is unpacked again without downloading it.
    QDir(cacheFolder()).removeRecursively();
    EXPECT_EQ(outcomeOf(rankedMaps.prepareLatestRankedMaps()).value, cacheFolder());
    EXPECT_EQ(entries(cacheFolder()), preparedMaps);
    EXPECT_EQ(server.requestCount(CommunityWorld::rankedArchivePath), 1);
}

struct Failure
{
    const char *name;
    FixtureResponse query;
    std::function<FixtureResponse()> download;
    std::function<bool(const Outcome<QString> &)> expected;
};

template <typename Error>
bool fails(const Outcome<QString> &outcome)
{
    return outcome.failure<Error>().has_value();
}

FixtureResponse releaseServed(const CommunityWorld::RankedRelease &maps, const QString &releaseName = u"release"_s)
{
    return FixtureResponse(200, {}, CommunityWorld::rankedArchive(maps, releaseName));
}

class RankedMapsFailure : public RankedMapsTest, public testing::WithParamInterface<Failure>
{};

TEST_P(RankedMapsFailure, LeavesTheRecordAndNoUnpackedCopy)
{
    server.route(CommunityWorld::rankedCommitPath, GetParam().query);
    server.route(CommunityWorld::rankedArchivePath, GetParam().download());
    record.setState({});
    EXPECT_TRUE(GetParam().expected(outcomeOf(rankedMaps.prepareLatestRankedMaps())));
    EXPECT_EQ(record.state(), InstalledState());
    const QStringList downloads = entries(Locations::communityDownloadsFolder());
    EXPECT_TRUE(downloads.filter(u"ranked-maps-"_s).isEmpty()) << downloads.join(u' ').toStdString();
}

const FixtureResponse goodQuery(200, {}, commitAnswer(commit));
const auto goodRelease = [] { return releaseServed(release); };

INSTANTIATE_TEST_SUITE_P(
    RankedMaps, RankedMapsFailure,
    testing::Values(Failure{"RateLimited", FixtureResponse(403, {}, commitAnswer(commit)), goodRelease,
                            fails<BadServerResponseError>},
                    Failure{"NotJSON", FixtureResponse(200, {}, "<html>"), goodRelease, fails<GitHubCommitError>},
                    Failure{"ShortSha", FixtureResponse(200, {}, commitAnswer(commit.left(39))), goodRelease,
                            fails<CorruptFileError>},
                    Failure{"ShaWithPath", FixtureResponse(200, {}, commitAnswer(u"../"_s + commit.left(37))),
                            goodRelease, fails<CorruptFileError>},
                    Failure{"ArchiveMissing", goodQuery, [] { return FixtureResponse(404); },
                            [](const Outcome<QString> &outcome) {
                                return fails<BadServerResponseError>(outcome) && !QFileInfo::exists(keptArchive());
                            }},
                    Failure{"NoRelease", goodQuery, [] { return releaseServed(release, u"Release"_s); },
                            fails<CorruptFileError>},
                    Failure{"SevenMaps", goodQuery,
                            [] {
                                return releaseServed({{u"maps_1v1_zh"_s, preparedMaps.mid(2)}});
                            },
                            [](const Outcome<QString> &outcome) {
                                // The incomplete cache stays for the user to look at.
                                return fails<CorruptFileError>(outcome)
                                       && QFileInfo::exists(cacheFolder() + u"/Golf"_s);
                            }}),
    [](const testing::TestParamInfo<Failure> &info) { return info.param.name; });

} // namespace
