// A verified download of 64 MiB from the loopback fixture server, next to
// "curl -s URL | sha256sum" against the same server.
#include "base/OperationState.h"
#include "base/UserFacingError.h"
#include "content/HttpClient.h"
#include "content/Sha256.h"
#include "support/FixtureServer.h"

#include <benchmark/benchmark.h>

#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

constexpr qsizetype payloadSize = qsizetype(64) << 20;

QByteArray makePayload()
{
    QByteArray bytes(payloadSize, Qt::Uninitialized);
    quint32 value = 2463534242u;
    for (char &byte : bytes) {
        value ^= value << 13;
        value ^= value >> 17;
        value ^= value << 5;
        byte = static_cast<char>(value);
    }
    return bytes;
}

struct Setting
{
    QByteArray payload = makePayload();
    QString digest = sha256(payload);
    FixtureServer server;
    QTemporaryDir cache;

    Setting() { server.route(QStringLiteral("/archive.zip"), {200, {}, payload}); }
    QUrl url() const { return server.url(QStringLiteral("/archive.zip")); }
};

Setting &setting()
{
    static Setting shared;
    return shared;
}

// QCoro 0.8's waitFor() never returns from a task that throws.
QCoro::Task<bool> downloaded(HttpClient &http, const Setting &shared, QString cacheFile)
{
    try {
        co_return (co_await http.verifiedDownload(shared.url(), shared.digest, cacheFile)).size() == payloadSize;
    } catch (const UserFacingError &) {
        co_return false;
    }
}

void verifiedDownload(benchmark::State &state)
{
    Setting &shared = setting();
    OperationState operation;
    HttpClient http{Timing{}, operation};
    const QString cacheFile = shared.cache.filePath(QStringLiteral("archive.zip"));
    for (auto _ : state) {
        QFile::remove(cacheFile); // every round downloads
        if (!QCoro::waitFor(downloaded(http, shared, cacheFile)))
            state.SkipWithError("the download failed");
    }
    state.SetBytesProcessed(state.iterations() * payloadSize);
}

void curlIntoSha256sum(benchmark::State &state)
{
    Setting &shared = setting();
    const QString command = QStringLiteral("curl -s '%1' | sha256sum").arg(shared.url().toString());
    for (auto _ : state) {
        // The server answers from this thread, so wait in an event loop.
        QProcess pipeline;
        QEventLoop loop;
        QObject::connect(&pipeline, &QProcess::finished, &loop, &QEventLoop::quit);
        pipeline.start(QStringLiteral("sh"), {QStringLiteral("-c"), command});
        loop.exec();
        if (!pipeline.readAllStandardOutput().startsWith(shared.digest.toLatin1()))
            state.SkipWithError("curl | sha256sum gave another digest");
    }
    state.SetBytesProcessed(state.iterations() * payloadSize);
}

} // namespace

BENCHMARK(verifiedDownload)->Unit(benchmark::kMillisecond)->UseRealTime();
// The children do the work, so only wall time is meaningful here.
BENCHMARK(curlIntoSha256sum)->Unit(benchmark::kMillisecond)->UseRealTime();
