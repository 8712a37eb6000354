#include "app/TarnholdModel.h"
#include "base/UserFacingError.h"
#include "content/Sha256.h"
#include "content/TransferErrors.h"
#include "support/FakePlatform.h"
#include "support/FileTree.h"
#include "support/FixtureServer.h"
#include "support/ModelTestAccess.h"
#include "support/Wait.h"

#include <gtest/gtest.h>

#include <QCoroTask>
#include <QFile>

#include <typeinfo>

using namespace std::chrono_literals;

namespace {

template <typename T>
struct Outcome
{
    std::optional<T> value;
    QString error;
    const std::type_info *type = nullptr;

    template <typename Error>
    bool failedWith() const
    {
        return type && *type == typeid(Error);
    }
};

// QCoro 0.8's waitFor() never returns when the task throws, so the task runs
// inside one that catches.
template <typename T>
Outcome<T> run(QCoro::Task<T> task)
{
    return QCoro::waitFor([](QCoro::Task<T> task) -> QCoro::Task<Outcome<T>> {
        try {
            // GCC miscompiles a co_await inside a braced initialiser.
            T value = co_await std::move(task);
            co_return Outcome<T>{std::move(value), {}, nullptr};
        } catch (const UserFacingError &error) {
            co_return Outcome<T>{std::nullopt, error.description(), &typeid(error)};
        }
    }(std::move(task)));
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A model whose back-off second lasts a millisecond, with a server to talk to.
class Download : public testing::Test
{
protected:
    FixtureServer server;
    TarnholdModel model{std::make_unique<FakePlatform>(), Catalog{}, Timing{1ms, 500ms}};
    QStringList activities;
    const QString cache = FileTree::inHome(QStringLiteral("GenTool.zip"));
    const QByteArray archive{"GenTool archive bytes"};

    Download()
    {
        QObject::connect(&model, &TarnholdModel::activityChanged, &model,
                         [this] { activities.append(model.activity()); });
    }

    Outcome<HttpResponse> request(const char *path)
    {
        return run(ModelTestAccess::requestData(model, QNetworkRequest(server.url(QString::fromLatin1(path)))));
    }
    Outcome<QByteArray> download()
    {
        return run(ModelTestAccess::verifiedDownload(model, server.url(QStringLiteral("/gentool.zip")),
                                                     sha256(archive).toUpper(), cache));
    }
};

TEST_F(Download, RetriesOnlyWhenAskedToSlowDownAndAtMostFiveTimes)
{
    server.route(QStringLiteral("/map"), {{503, {{"Retry-After", " 2.9"}}}, {200, {}, "map bytes"}});
    EXPECT_EQ(request("/map").value.value_or(HttpResponse()).body, QByteArray("map bytes"));
    EXPECT_EQ(activities,
              QStringList{QStringLiteral("127.0.0.1 asked Tarnhold to slow down. Waiting 2 s before retrying…")});

    server.route(QStringLiteral("/busy"), FixtureResponse(429));
    EXPECT_EQ(request("/busy").error, QStringLiteral("127.0.0.1 answered with HTTP 429. It is limiting requests; "
                                                     "wait a minute and retry. Finished downloads are kept."));
    EXPECT_EQ(activities.size(), 1 + 5);
    EXPECT_EQ(server.requestCount(QStringLiteral("/busy")), 6);

    server.route(QStringLiteral("/gone"), FixtureResponse(404, {{"Retry-After", "1"}}));
    EXPECT_EQ(request("/gone").error,
              QStringLiteral("127.0.0.1 answered with HTTP 404. Retry in a moment; finished downloads are kept."));
    EXPECT_EQ(activities.size(), 6);
    EXPECT_EQ(server.requestCount(QStringLiteral("/gone")), 1);
}

TEST_F(Download, BrokenTransfersFailWithoutRetrying)
{
    FixtureResponse truncated{200, {}, QByteArray(100000, 'x')};
    truncated.truncateAfter = 1000;
    FixtureResponse dropped;
    dropped.dropConnection = true;
    server.route(QStringLiteral("/truncated"), truncated);
    server.route(QStringLiteral("/dropped"), dropped);
    for (const char *path : {"/truncated", "/dropped"}) {
        const Outcome<HttpResponse> outcome = request(path);
        EXPECT_TRUE(outcome.failedWith<TransportError>()) << path;
    }
    // Qt itself resends once over a connection closed before any answer.
    EXPECT_EQ(server.requestCount(QStringLiteral("/truncated")), 1);
    EXPECT_TRUE(activities.isEmpty());
}

TEST_F(Download, AVerifiedCacheIsKeptUntilVerifiedBytesReplaceIt)
{
    FileTree::writeFile(cache, archive);
    EXPECT_EQ(download().value, archive);
    EXPECT_TRUE(server.requests().isEmpty());

    FileTree::writeFile(cache, "stale");
    server.route(QStringLiteral("/gentool.zip"), {{200, {}, "tampered"}, {503, {}, archive}, {200, {}, archive}});
    for (int refused = 0; refused < 2; ++refused) {
        const Outcome<QByteArray> outcome = download();
        EXPECT_TRUE(outcome.failedWith<CorruptFileError>()) << outcome.error.toStdString();
        EXPECT_EQ(contents(cache), QByteArray("stale"));
    }
    EXPECT_EQ(download().value, archive);
    EXPECT_EQ(contents(cache), archive);
    EXPECT_EQ(server.requests().size(), 3);
}

TEST_F(Download, APauseOutlivingItsModelEndsQuietly)
{
    server.route(QStringLiteral("/map"), {{503, {{"Retry-After", "1"}}}, {200}});
    auto doomed = std::make_unique<TarnholdModel>(std::make_unique<FakePlatform>(), Catalog{}, Timing{200ms, 500ms});
    // Runs detached, as the operations that use it do.
    [](TarnholdModel &model, QNetworkRequest request) -> QCoro::Task<> {
        try {
            co_await ModelTestAccess::requestData(model, request);
        } catch (const UserFacingError &) {
        }
    }(*doomed, QNetworkRequest(server.url(QStringLiteral("/map"))));
    EXPECT_TRUE(eventually([&doomed] { return doomed->activity().contains(QStringLiteral("slow down")); }));
    doomed.reset();
    QTest::qWait(400);
    EXPECT_EQ(server.requestCount(QStringLiteral("/map")), 1) << "no request after the model is gone";
}

} // namespace
