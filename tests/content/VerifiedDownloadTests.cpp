#include "content/DownloadFixture.h"
#include "content/Sha256.h"
#include "content/TransferErrors.h"
#include "support/FileTree.h"

#include <QFile>

namespace {

const QByteArray archive("GenTool archive bytes");

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class VerifiedDownload : public DownloadTest
{
protected:
    const QString cache = FileTree::inHome(QStringLiteral("Cache/GenTool.zip"));

    VerifiedDownload() { FileTree::makeFolder(FileTree::inHome(QStringLiteral("Cache"))); }

    QByteArray download(const QString &digest)
    {
        return succeeded(
            ModelTestAccess::verifiedDownload(model, server.url(QStringLiteral("/gentool.zip")), digest, cache));
    }
    std::pair<QString, QString> downloadFailure(const QString &digest)
    {
        return failure(
            ModelTestAccess::verifiedDownload(model, server.url(QStringLiteral("/gentool.zip")), digest, cache));
    }
};

TEST_F(VerifiedDownload, AVerifiedCacheAnswersWithoutARequest)
{
    FileTree::writeFile(cache, archive);
    EXPECT_EQ(download(sha256(archive).toUpper()), archive);
    EXPECT_TRUE(server.requests().isEmpty());
}

TEST_F(VerifiedDownload, AMismatchingCacheIsReplacedOnlyByVerifiedBytes)
{
    FileTree::writeFile(cache, "stale");
    server.route(QStringLiteral("/gentool.zip"), {{200, {}, archive}});
    EXPECT_EQ(download(sha256(archive).toUpper()), archive);
    EXPECT_EQ(contents(cache), archive);
    EXPECT_EQ(server.requests().size(), 1);
}

TEST_F(VerifiedDownload, AnyUnverifiedAnswerLeavesTheOldCacheAlone)
{
    FixtureResponse truncated{200, {}, archive};
    truncated.truncateAfter = 4;
    const QList<std::pair<FixtureResponse, const std::type_info *>> cases{
        {{200, {}, "tampered bytes"}, &typeid(CorruptFileError)},
        {{404, {}, archive}, &typeid(CorruptFileError)},
        {{503, {{"Retry-After", "1"}}, archive}, &typeid(CorruptFileError)},
        {truncated, &typeid(TransportError)},
    };
    FileTree::writeFile(cache, "stale");
    for (const auto &[response, errorType] : cases) {
        server.route(QStringLiteral("/gentool.zip"), response);
        const auto [description, type] = downloadFailure(sha256(archive));
        EXPECT_EQ(type, QString::fromLatin1(errorType->name())) << description.toStdString();
        EXPECT_EQ(contents(cache), QByteArray("stale"));
    }
    EXPECT_EQ(server.requests().size(), cases.size()) << "nothing is retried";
    server.route(QStringLiteral("/gentool.zip"), cases.first().first);
    EXPECT_EQ(downloadFailure(sha256(archive)).first,
              QStringLiteral("The file couldn’t be opened because it isn’t in the correct format."));
}

TEST_F(VerifiedDownload, AMissingCacheFolderIsAWriteFailure)
{
    server.route(QStringLiteral("/gentool.zip"), {{200, {}, archive}});
    const QString elsewhere = FileTree::inHome(QStringLiteral("Missing/GenTool.zip"));
    const auto [description, type] = failure(ModelTestAccess::verifiedDownload(
        model, server.url(QStringLiteral("/gentool.zip")), sha256(archive), elsewhere));
    EXPECT_TRUE(description.startsWith(QStringLiteral("Tarnhold could not save “GenTool.zip”: ")))
        << description.toStdString();
    EXPECT_FALSE(QFile::exists(elsewhere));
}

TEST_F(VerifiedDownload, HandlesALargeBody)
{
    QByteArray large(24 << 20, '\0');
    for (qsizetype i = 0; i < large.size(); i += 4096)
        large[i] = static_cast<char>(i / 4096);
    server.route(QStringLiteral("/gentool.zip"), {{200, {}, large}});
    EXPECT_EQ(download(sha256(large)), large);
    EXPECT_EQ(contents(cache), large);
}

} // namespace
