#include "maps/MapArchive.h"

#include "base/CorruptFileError.h"
#include "base/FileChanges.h"
#include "maps/MapImportChecks.h"
#include "platform/Platform.h"
#include "process/ProcessRunner.h"
#include "process/ProcessRunnerError.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <optional>

namespace {

constexpr double listingTimeout = 30;
constexpr double unpackingTimeout = 60;

class OversizedArchiveError final : public UserFacingError
{
public:
    explicit OversizedArchiveError(const QString &archive)
        : UserFacingError(QStringLiteral("The archive “%1” unpacks to more data than any map package holds.")
                              .arg(QFileInfo(archive).fileName()))
    {}
};

class NoRoomToUnpackError final : public UserFacingError
{
public:
    explicit NoRoomToUnpackError(const QString &archive)
        : UserFacingError(
            QStringLiteral("There is not enough free space to unpack “%1”.").arg(QFileInfo(archive).fileName()))
    {}
};

} // namespace

qint64 listedUncompressedBytes(const QString &totals)
{
    static const QRegularExpression uncompressed(QStringLiteral("\\b(\\d{1,18}) bytes? uncompressed\\b"));
    const QRegularExpressionMatch match = uncompressed.match(totals);
    if (!match.hasMatch())
        throw CorruptFileError();
    return match.captured(1).toLongLong();
}

QCoro::Task<> unpackMapArchive(const Platform &platform, QString archive, QString folder)
{
    const ToolCommand list = platform.listZipCommand(archive);
    const ToolCommand totals = platform.zipTotalsCommand(archive);
    const ToolCommand unzip = platform.unzipCommand(archive, folder);
    const std::optional<qint64> room = platform.availableCapacity(QFileInfo(folder).path());

    validateZipListing(
        co_await ProcessRunner::run(list.program, list.arguments, std::nullopt, std::nullopt, listingTimeout));
    const qint64 size = listedUncompressedBytes(
        co_await ProcessRunner::run(totals.program, totals.arguments, std::nullopt, std::nullopt, listingTimeout));
    if (size > largestMapPackageBytes)
        throw OversizedArchiveError(archive);
    if (room && size > *room)
        throw NoRoomToUnpackError(archive);
    makeFolder(folder);
    try {
        co_await ProcessRunner::run(unzip.program, unzip.arguments, std::nullopt, std::nullopt, unpackingTimeout);
    } catch (const ProcessRunnerError &error) {
        // The unpacker's own words name entries and system error numbers;
        // what the user needs to know is that the package is unusable.
        if (error.kind() == ProcessRunnerError::Kind::failed)
            throw CorruptFileError();
        throw;
    }
}
