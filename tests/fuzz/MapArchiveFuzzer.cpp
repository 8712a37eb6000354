#include "FuzzRequire.h"
#include "maps/MapArchive.h"
#include "platform/Platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <exception>
#include <memory>

namespace {

// The real listing and unpacking tools run on every input.
QCoro::Task<bool> unpacks(const Platform &platform, QString archive, QString folder)
{
    try {
        co_await unpackMapArchive(platform, std::move(archive), std::move(folder));
        co_return true;
    } catch (const std::exception &) {
        co_return false;
    }
}

} // namespace

// Whatever bytes a picked package holds, unpacking it ends, and it writes
// nothing outside its own folder: the package is the only other item left.
FUZZ_TARGET(bytes)
{
    static int argc = 1;
    static char name[] = "fuzz_map_archive";
    static char *argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
    static const std::unique_ptr<Platform> platform = createPlatform();
    static const QTemporaryDir root;
    static const QString archivePath = root.filePath(QStringLiteral("package.zip"));
    static const QString folder = root.filePath(QStringLiteral("unpacked"));

    QDir(folder).removeRecursively();
    QFile archive(archivePath);
    FUZZ_REQUIRE(archive.open(QIODevice::WriteOnly | QIODevice::Truncate) && archive.write(bytes) == bytes.size());
    archive.close();
    const bool unpacked = QCoro::waitFor(unpacks(*platform, archivePath, folder));

    QDirIterator walk(root.path(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                      QDirIterator::Subdirectories);
    while (walk.hasNext()) {
        const QString item = walk.next();
        FUZZ_REQUIRE(item == archivePath || item == folder || item.startsWith(folder + QLatin1Char('/')));
    }
    FUZZ_REQUIRE(!unpacked || QFileInfo(folder).isDir());
}
