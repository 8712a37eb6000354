// How long the map library scan takes over a large Maps folder, next to
// "find -iname '*.map'" over the same tree.
#include "maps/MapLibraryScan.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

constexpr int mapCount = 500;
constexpr int otherFolderCount = 20;

void writeFile(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write("x");
}

QString mapName(int index)
{
    return QStringLiteral("Map %1 %2").arg(index, 3, 10, QLatin1Char('0')).arg(index % 3 ? u"[RANK]" : u"v2");
}

// Laid out like downloaded maps: textures in a nested folder, the map file
// either beside the preview or one level down, map.ini in some of them.
QString buildMapsFolder(const QTemporaryDir &root)
{
    const QString maps = root.filePath(QStringLiteral("Maps"));
    for (int index = 0; index < mapCount; ++index) {
        const QString name = mapName(index);
        const QString folder = maps + u'/' + name;
        writeFile(folder + (index % 2 ? QStringLiteral("/data/") : QStringLiteral("/")) + name
                  + QStringLiteral(".map"));
        writeFile(folder + u'/' + name + QStringLiteral(".tga"));
        writeFile(folder + QStringLiteral("/data/textures/terrain.tga"));
        writeFile(folder + QStringLiteral("/data/textures/sky.dds"));
        writeFile(folder + QStringLiteral("/map.str"));
        if (index % 4 == 0)
            writeFile(folder + QStringLiteral("/map.ini"));
    }
    for (int index = 0; index < otherFolderCount; ++index) {
        writeFile(maps + QStringLiteral("/Notes %1/readme.txt").arg(index));
        writeFile(maps + QStringLiteral("/Notes %1/old/Other.map").arg(index));
    }
    return maps;
}

const QString &mapsFolder()
{
    static const QTemporaryDir root;
    static const QString maps = buildMapsFolder(root);
    return maps;
}

void scanLibrary(benchmark::State &state)
{
    QSet<QString> managedNames;
    for (int index = 0; index < mapCount; index += 2)
        managedNames.insert(mapName(index).toLower());
    const QSet<QString> threePlayerNames{mapName(6).toLower()};
    const QString &maps = mapsFolder(); // built before timing starts
    for (auto _ : state) {
        const QList<InstalledMap> library = scanMapLibrary(maps, managedNames, threePlayerNames);
        if (library.size() != mapCount)
            state.SkipWithError("the scan missed maps");
        benchmark::DoNotOptimize(library);
    }
    state.counters["maps/s"] = benchmark::Counter(double(mapCount), benchmark::Counter::kIsIterationInvariantRate);
}

void findMapFiles(benchmark::State &state)
{
    const QString &maps = mapsFolder();
    for (auto _ : state) {
        QProcess find;
        find.start(QStringLiteral("find"), {maps, QStringLiteral("-iname"), QStringLiteral("*.map")});
        if (!find.waitForFinished(-1) || find.exitCode() != 0)
            state.SkipWithError("find failed");
        benchmark::DoNotOptimize(find.readAllStandardOutput());
    }
    state.counters["maps/s"] = benchmark::Counter(double(mapCount), benchmark::Counter::kIsIterationInvariantRate);
}

} // namespace

BENCHMARK(scanLibrary)->Unit(benchmark::kMillisecond)->UseRealTime();
// The child does the work, so only wall time is meaningful here.
BENCHMARK(findMapFiles)->Unit(benchmark::kMillisecond)->UseRealTime();
