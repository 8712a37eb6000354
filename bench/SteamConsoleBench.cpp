// Reading a flood of SteamCMD output: 8 MiB of progress lines with colour
// resets, handed over in 4 KiB chunks as a pipe delivers them, next to sed
// stripping the same control sequences from the same text in a file.
#include "setup/SteamConsole.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

constexpr qsizetype floodSize = qsizetype(8) << 20;
constexpr qsizetype chunkSize = 4096;

const QString &flood()
{
    static const QString text = [] {
        QString lines;
        for (qint64 done = 0; lines.size() < floodSize; done += 13376806)
            lines += QStringLiteral(" Update state (0x61) downloading, progress: %1 (%2 / 34705746562)\x1b[0m\n")
                         .arg(double(done % 34705746562) / 347057465.62, 0, 'f', 2)
                         .arg(done % 34705746562);
        return lines;
    }();
    return text;
}

const QString &floodFile()
{
    static const QTemporaryDir folder;
    static const QString path = [] {
        const QString file = folder.filePath(QStringLiteral("steamcmd.log"));
        QFile out(file);
        if (out.open(QIODevice::WriteOnly))
            out.write(flood().toUtf8());
        return file;
    }();
    return path;
}

void consumeInChunks(benchmark::State &state)
{
    const QString &text = flood();
    for (auto _ : state) {
        SteamConsole console;
        for (qsizetype at = 0; at < text.size(); at += chunkSize)
            benchmark::DoNotOptimize(console.consume(text.mid(at, chunkSize)));
    }
    state.SetBytesProcessed(state.iterations() * floodSize);
}

void stripWithSed(benchmark::State &state)
{
    const QString &file = floodFile();
    for (auto _ : state) {
        QProcess tool;
        tool.start(QStringLiteral("sed"),
                   {QStringLiteral("-E"), QStringLiteral("s/\x1b\\[[0-9;?]*[ -/]*[@-~]//g"), file});
        if (!tool.waitForFinished(-1) || tool.exitCode() != 0)
            state.SkipWithError("sed failed");
        benchmark::DoNotOptimize(tool.readAllStandardOutput());
    }
    state.SetBytesProcessed(state.iterations() * floodSize);
}

} // namespace

BENCHMARK(consumeInChunks)->Unit(benchmark::kMillisecond)->UseRealTime();
// The child does the work, so only wall time is meaningful here.
BENCHMARK(stripWithSed)->Unit(benchmark::kMillisecond)->UseRealTime();
