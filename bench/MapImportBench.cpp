// Importing a package of 60 map folders of 1 to 3 MiB (about 120 MiB) into
// an empty Maps folder: listed twice, unpacked, every folder checked and
// copied. Next to it, what a user would do by hand: unzip the package
// straight into the Maps folder.
#include "BenchWorld.h"
#include "base/Locations.h"
#include "base/OperationState.h"
#include "maps/MapImporter.h"
#include "maps/MapLibrary.h"
#include "platform/Platform.h"
#include "support/ClientArchive.h"
#include "support/FileTree.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QEventLoop>
#include <QProcess>

namespace {

using namespace Qt::StringLiterals;
using namespace BenchWorld;

constexpr int mapCount = 60;

struct Setting : TemporaryHome
{
    std::unique_ptr<Platform> platform = createPlatform();
    OperationState operation;
    MapLibrary library{Catalog()};
    MapImporter importer{*platform, operation, library};
    const QString package = FileTree::inHome(u"Maps Package.zip"_s);
    const QString maps = Locations::gameMapsFolder();
    qint64 bytes = 0;

    Setting()
    {
        QMap<QString, QByteArray> files;
        for (int map = 1; map <= mapCount; ++map) {
            const QString name = u"Imported %1"_s.arg(map);
            const auto seed = quint32(map);
            files.insert(name + u'/' + name + u".map"_s, noise((1 + map % 3) * MiB, seed));
            files.insert(name + u'/' + name + u".tga"_s, noise(64 * 1024, seed + 1));
            bytes += (1 + map % 3) * MiB + 64 * 1024;
        }
        FileTree::writeFile(package, ClientArchive::zip(files));
    }

    void emptyMaps() const { QDir(maps).removeRecursively(); }
    qsizetype mapsPresent() const { return QDir(maps).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(); }

    bool import()
    {
        QEventLoop loop;
        QObject::connect(&operation, &OperationState::isBusyChanged, &loop, [&] {
            if (!operation.isBusy())
                loop.quit();
        });
        importer.importMaps({package});
        loop.exec();
        return !operation.errorMessage();
    }
};

Setting &setting()
{
    static Setting shared;
    return shared;
}

void mapImport(benchmark::State &state)
{
    Setting &shared = setting();
    for (auto _ : state) {
        state.PauseTiming();
        shared.emptyMaps();
        state.ResumeTiming();
        if (!shared.import())
            state.SkipWithError("the import failed");
    }
    if (shared.mapsPresent() != mapCount)
        state.SkipWithError("the import left out maps");
    state.SetBytesProcessed(state.iterations() * shared.bytes);
}

void unzipByHand(benchmark::State &state)
{
    Setting &shared = setting();
    for (auto _ : state) {
        state.PauseTiming();
        shared.emptyMaps();
        state.ResumeTiming();
        QProcess unzip;
        unzip.start(u"unzip"_s, {u"-qq"_s, shared.package, u"-d"_s, shared.maps});
        if (!unzip.waitForFinished(-1) || unzip.exitCode() != 0)
            state.SkipWithError("unzip failed");
    }
    if (shared.mapsPresent() != mapCount)
        state.SkipWithError("unzip left out maps");
    state.SetBytesProcessed(state.iterations() * shared.bytes);
}

} // namespace

// The work runs in child processes, so only wall time is meaningful.
BENCHMARK(mapImport)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(8);
BENCHMARK(unzipByHand)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(8);
