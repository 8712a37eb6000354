// Installing a 100 MiB online-client release from the loopback fixture
// server with OnlineClientInstaller, next to the shell pipeline a user would
// write for the same archive: curl, sha256sum, unzip and cp.
#include "BenchWorld.h"
#include "base/Locations.h"
#include "client/OnlineClientInstaller.h"
#include "client/UpdateChannel.h"
#include "content/Sha256.h"
#include "support/ClientArchive.h"
#include "support/FileTree.h"
#include "support/Outcome.h"
#include "support/TestServices.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>

namespace {

using namespace Qt::StringLiterals;
using namespace BenchWorld;

// The package's own small files, with 100 MiB of incompressible data in the
// client folder and in both user-data folders.
QByteArray makeArchive()
{
    QMap<QString, QByteArray> files = ClientArchive::packageFiles();
    const std::pair<QString, qsizetype> large[] = {{u"Velmora/Data/Textures.big"_s, 48},
                                                   {u"Velmora/Data/Audio.big"_s, 32},
                                                   {u"Velmora/Data/Shaders.big"_s, 8},
                                                   {u"Velmora/Maps/Velmora Canyon/Velmora Canyon.map"_s, 6},
                                                   {u"Velmora/Maps/Velmora Delta/Velmora Delta.map"_s, 4},
                                                   {u"Velmora/VelmoraGameData/Replays/Last.rep"_s, 2}};
    quint32 seed = 1;
    for (const auto &[path, size] : large)
        files.insert(path, noise(size * MiB, seed++));
    return ClientArchive::zip(files);
}

struct Setting : TemporaryHome, TestServices
{
    const QByteArray archive = makeArchive();
    const QString runtime = FileTree::inHome(u"Runtime"_s);
    const QString prefix = FileTree::inHome(u"Prefix"_s);
    const QString game = Locations::gameFolder(prefix);
    // The shell pipeline's download, staging and game folders.
    const QString shell = FileTree::inHome(u"Shell"_s);

    Setting()
    {
        catalog.antiCheat = ClientArchive::testPins();
        // The anti-cheat installer's run under Wine succeeds at once.
        FileTree::writeExecutable(runtime + u"/bin/wine"_s, "#!/bin/sh\nexit 0\n");
        const ReleaseManifest release = ClientArchive::manifestFor(archive, server.url(u"/client.zip"_s));
        server.route(u"/channel/manifest.json"_s, FixtureResponse(200, {}, encodeReleaseManifest(release)));
        server.route(u"/client.zip"_s, FixtureResponse(200, {}, archive));
    }

    // Every round starts as if nothing had been installed.
    void forgetInstallations() const
    {
        QDir(Locations::supportFolder()).removeRecursively();
        QDir(prefix).removeRecursively();
        QDir(shell).removeRecursively();
        QDir().mkpath(shell + u"/game"_s);
    }

    bool install()
    {
        // A new channel reads the manifest again, as each real installation does.
        UpdateChannel updates(services(), operation);
        OnlineClientInstaller installer(services(), operation, updates);
        return outcomeOf(installer.installLatestPatch(runtime, prefix, game, 0, 1)).error == nullptr;
    }
};

Setting &setting()
{
    static Setting shared;
    return shared;
}

// One size of /proc/self/status ("VmRSS:", "VmHWM:"), given there in kB.
qint64 statusBytes(QByteArrayView field)
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(field.size()).trimmed().split(' ').first().toLongLong() * 1024;
    }
    return -1;
}

// The growth of the process's peak resident memory during one installation.
// The fixture server's copy of the archive is resident before it starts, so
// it counts in neither figure: writing "5" to clear_refs lowers the peak
// (VmHWM) to the present resident size (VmRSS), and the peak after the
// installation less the resident size before it is what the installation
// added at its worst moment. The tools it runs (unzip, cp, Wine) are
// separate processes and count in neither.
qint64 peakGrowthOfOneInstallation(Setting &shared)
{
    shared.forgetInstallations();
    QFile clearRefs(u"/proc/self/clear_refs"_s);
    if (!clearRefs.open(QIODevice::WriteOnly) || clearRefs.write("5") != 1)
        return -1;
    clearRefs.close();
    const qint64 before = statusBytes("VmRSS:");
    if (!shared.install())
        return -1;
    return statusBytes("VmHWM:") - before;
}

void onlineClientInstaller(benchmark::State &state)
{
    Setting &shared = setting();
    for (auto _ : state) {
        state.PauseTiming();
        shared.forgetInstallations();
        state.ResumeTiming();
        if (!shared.install())
            state.SkipWithError("the installation failed");
    }
    state.SetBytesProcessed(state.iterations() * shared.archive.size());
    // Measured apart from the timed rounds, after they warmed everything up.
    const qint64 growth = peakGrowthOfOneInstallation(shared);
    if (growth < 0)
        state.SkipWithError("the peak memory could not be measured");
    state.counters["peak_growth_MiB"] = double(growth) / double(MiB);
    state.counters["peak_growth_per_archive"] = double(growth) / double(shared.archive.size());
}

void curlSha256sumUnzipCp(benchmark::State &state)
{
    Setting &shared = setting();
    const QString command = u"curl -s '%1' -o Velmora.zip && sha256sum Velmora.zip"
                            " && unzip -o -qq Velmora.zip -d staging && cp -a staging/Velmora/. game/"_s.arg(
                                shared.server.url(u"/client.zip"_s).toString());
    const QByteArray digest = sha256(shared.archive).toLatin1();
    for (auto _ : state) {
        state.PauseTiming();
        shared.forgetInstallations();
        state.ResumeTiming();
        // The server answers from this thread, so wait in an event loop.
        QProcess pipeline;
        pipeline.setWorkingDirectory(shared.shell);
        QEventLoop loop;
        QObject::connect(&pipeline, &QProcess::finished, &loop, &QEventLoop::quit);
        pipeline.start(u"sh"_s, {u"-c"_s, command});
        loop.exec();
        if (pipeline.exitCode() != 0 || !pipeline.readAllStandardOutput().startsWith(digest))
            state.SkipWithError("the shell pipeline failed");
    }
    state.SetBytesProcessed(state.iterations() * shared.archive.size());
}

} // namespace

// Each round takes seconds; a fixed count keeps the runs comparable. The
// children do much of the work, so only wall time is meaningful.
BENCHMARK(onlineClientInstaller)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(curlSha256sumUnzipCp)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
