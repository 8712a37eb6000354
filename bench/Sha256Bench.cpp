// SHA-256 throughput over 256 MiB in memory, next to "sha256sum" over the
// same bytes in a file (read from the page cache after the first run).
#include "content/Sha256.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

constexpr qsizetype payloadSize = qsizetype(256) << 20;

const QByteArray &payload()
{
    static const QByteArray bytes = [] {
        QByteArray filled(payloadSize, Qt::Uninitialized);
        quint32 value = 2463534242u;
        for (char &byte : filled) {
            value ^= value << 13; // xorshift: cheap bytes that do not compress
            value ^= value >> 17;
            value ^= value << 5;
            byte = static_cast<char>(value);
        }
        return filled;
    }();
    return bytes;
}

const QString &payloadFile()
{
    static const QTemporaryDir folder;
    static const QString path = [] {
        const QString file = folder.filePath(QStringLiteral("payload.bin"));
        QFile out(file);
        if (out.open(QIODevice::WriteOnly))
            out.write(payload());
        return file;
    }();
    return path;
}

void hashInMemory(benchmark::State &state)
{
    const QByteArray &bytes = payload();
    for (auto _ : state)
        benchmark::DoNotOptimize(sha256(bytes));
    state.SetBytesProcessed(state.iterations() * payloadSize);
}

void hashWithSha256sum(benchmark::State &state)
{
    const QString &file = payloadFile();
    for (auto _ : state) {
        QProcess tool;
        tool.start(QStringLiteral("sha256sum"), {file});
        if (!tool.waitForFinished(-1) || tool.exitCode() != 0)
            state.SkipWithError("sha256sum failed");
        benchmark::DoNotOptimize(tool.readAllStandardOutput());
    }
    state.SetBytesProcessed(state.iterations() * payloadSize);
}

} // namespace

BENCHMARK(hashInMemory)->Unit(benchmark::kMillisecond)->UseRealTime();
// The child does the work, so only wall time is meaningful here.
BENCHMARK(hashWithSha256sum)->Unit(benchmark::kMillisecond)->UseRealTime();
