// Installing the official multiplayer profile again with warm caches: the
// ranked maps, the interface package and the official data are prepared, so
// a round asks GitHub once, trashes the maps installed before and copies
// about 60 map folders of 1 to 3 MiB into the game. Next to it, the copy a
// user would make by hand: cp -a of the same folders.
#include "BenchWorld.h"
#include "base/Locations.h"
#include "content/CommunityContent.h"
#include "support/ClientArchive.h"
#include "support/CommunityWorld.h"
#include "support/FileTree.h"
#include "support/Installation.h"
#include "support/Outcome.h"
#include "support/TestServices.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>

namespace {

using namespace Qt::StringLiterals;
using namespace BenchWorld;

constexpr int rankedMapCount = 50;
// With the two CommunityWorld keeps, the official maps number ten.
constexpr int extraOfficialMapCount = 8;

// A map of 1, 2 or 3 MiB of incompressible data, its preview and its
// settings, as real map folders hold them.
QMap<QString, QByteArray> realisticMapFiles(const QString &map)
{
    const quint32 seed = qHash(map);
    return {{map + u".map"_s, noise((1 + seed % 3) * MiB, seed)},
            {map + u".tga"_s, noise(64 * 1024, seed + 1)},
            {u"map.ini"_s, "; " + map.toUtf8() + '\n'}};
}

struct Setting : TemporaryHome, TestServices
{
    CommunityWorld world{server, catalog};
    CommunityContent community{services(), operation};
    const QString game = Locations::gameFolder(Locations::managedPrefixFolder());
    const QString officialMaps = Locations::officialMapsFolder();
    const QString trash = FileTree::inHome(u"Trash"_s);
    // The hand copy's destination.
    const QString copied = FileTree::inHome(u"Copied"_s);

    Setting()
    {
        const QString release = u"GeneralsRankedMaps-%1/release/maps_1v1_zh/"_s.arg(CommunityWorld::commit);
        QMap<QString, QByteArray> archived;
        for (int map = 1; map <= rankedMapCount; ++map) {
            const QString name = u"Ranked %1"_s.arg(map);
            const QMap<QString, QByteArray> files = realisticMapFiles(name);
            for (auto file = files.begin(); file != files.end(); ++file)
                archived.insert(release + name + u'/' + file.key(), file.value());
        }
        world.serveRankedMaps(ClientArchive::zip(archived));
        world.serveInterfacePackages();
        CommunityWorld::keepOfficialClientData();
        for (int map = 1; map <= extraOfficialMapCount; ++map) {
            const QString name = u"Velmora Official %1"_s.arg(map);
            const QMap<QString, QByteArray> files = realisticMapFiles(name);
            for (auto file = files.begin(); file != files.end(); ++file)
                FileTree::writeFile(QDir(officialMaps).filePath(name + u'/' + file.key()), file.value());
        }
        Installation::addReadyInstallation();
        record.load();
    }

    bool install() { return outcomeOf(community.installCommunityContent(game, 0.0, 1.0)).error == nullptr; }

    // What the rounds copy: the prepared ranked maps and the official maps.
    QStringList mapSources() const
    {
        return {QDir(Locations::rankedMapsFolder()).filePath(CommunityWorld::commit), officialMaps};
    }

    // The trashed maps would fill the disk, and a trashed folder of the same
    // name would stop the next move.
    void emptyTrash() const { QDir(trash).removeRecursively(); }

    static qsizetype mapCount()
    {
        return rankedMapCount + extraOfficialMapCount + CommunityWorld::officialMapNames().size();
    }
    static qsizetype folderCount(const QString &folder)
    {
        return QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size();
    }

    void forgetCopies() const
    {
        QDir(copied).removeRecursively();
        QDir().mkpath(copied);
    }
};

// The bytes in the map folders each round copies.
qint64 mapBytes(const QStringList &sources)
{
    qint64 bytes = 0;
    for (const QString &source : sources) {
        QDirIterator files(source, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (files.hasNext())
            bytes += files.nextFileInfo().size();
    }
    return bytes;
}

// One untimed installation first, so every timed one finds the caches warm.
Setting &setting()
{
    static Setting shared;
    static const bool warm = shared.install();
    if (!warm)
        qFatal("the warm-up installation failed");
    return shared;
}

void communityContentInstallation(benchmark::State &state)
{
    Setting &shared = setting();
    for (auto _ : state) {
        state.PauseTiming();
        shared.emptyTrash();
        state.ResumeTiming();
        if (!shared.install())
            state.SkipWithError("the installation failed");
    }
    if (shared.folderCount(Locations::gameMapsFolder()) != shared.mapCount())
        state.SkipWithError("the installation left out maps");
    shared.emptyTrash();
    state.SetBytesProcessed(state.iterations() * mapBytes(shared.mapSources()));
}

void cpMapFolders(benchmark::State &state)
{
    Setting &shared = setting();
    QStringList sources;
    for (const QString &source : shared.mapSources())
        sources.append(u"'%1/.'"_s.arg(source));
    const QString command = u"cp -a %1 '%2/'"_s.arg(sources.join(u' '), shared.copied);
    for (auto _ : state) {
        state.PauseTiming();
        shared.forgetCopies();
        state.ResumeTiming();
        QProcess copy;
        copy.start(u"sh"_s, {u"-c"_s, command});
        if (!copy.waitForFinished(-1) || copy.exitCode() != 0)
            state.SkipWithError("cp -a failed");
    }
    if (shared.folderCount(shared.copied) != shared.mapCount())
        state.SkipWithError("cp -a left out maps");
    state.SetBytesProcessed(state.iterations() * mapBytes(shared.mapSources()));
}

} // namespace

// Each round copies about 120 MiB; a fixed count keeps the runs comparable.
// The copies run in child processes, so only wall time is meaningful.
BENCHMARK(communityContentInstallation)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(8);
BENCHMARK(cpMapFolders)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(8);
