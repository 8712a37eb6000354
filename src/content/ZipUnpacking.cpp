#include "content/ZipUnpacking.h"

#include "base/ArchiveEntries.h"
#include "base/UserFacingError.h"
#include "platform/Platform.h"
#include "process/ProcessRunner.h"

#include <QFileInfo>

namespace {

class UnsafeArchiveError final : public UserFacingError
{
public:
    explicit UnsafeArchiveError(const QString &archive)
        : UserFacingError(QStringLiteral("The archive “%1” contains files that would be placed outside its own folder.")
                              .arg(QFileInfo(archive).fileName()))
    {}
};

} // namespace

QCoro::Task<> unpackZipInside(const Platform &platform, QString archive, QString destination)
{
    const ToolCommand list = platform.listZipCommand(archive);
    const ToolCommand unzip = platform.unzipCommand(archive, destination);
    if (!archiveEntriesStayInside(co_await ProcessRunner::run(list.program, list.arguments)))
        throw UnsafeArchiveError(archive);
    co_await ProcessRunner::run(unzip.program, unzip.arguments);
}
