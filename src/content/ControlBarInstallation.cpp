#include "base/FileChanges.h"
#include "base/Locations.h"
#include "base/MissingFileError.h"
#include "base/UserFacingError.h"
#include "content/ControlBar.h"
#include "content/Sha256.h"

#include <QDir>
#include <QFileInfo>
#include <QUuid>

namespace {

bool isInterfaceFile(const QString &name)
{
    return name.startsWith(QStringLiteral("339_ControlBar")) || name.startsWith(QStringLiteral("340_ControlBar"));
}

// Interface files the prepared package does not hold as they are, and a
// d3d8.dll that is not GenTool's: each would be lost if it were overwritten.
QStringList displacedEntries(const PreparedControlBar &prepared, const QDir &game)
{
    if (!game.exists())
        throw UserFacingError(
            QStringLiteral("Tarnhold could not read the folder “%1”.").arg(QDir::toNativeSeparators(game.path())));
    const QDir source(prepared.source);
    const auto differs = [&](const QString &name) { return !filesMatch(source.filePath(name), game.filePath(name)); };
    QStringList displaced;
    const QStringList entries =
        game.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &name : entries) {
        if (isInterfaceFile(name) && (!prepared.package.files.contains(name) || differs(name)))
            displaced << name;
    }
    const QFileInfo library(game.filePath(genToolLibraryName));
    if ((library.exists() || library.isSymLink()) && differs(genToolLibraryName))
        displaced << genToolLibraryName;
    return displaced;
}

} // namespace

void installPreparedControlBar(const PreparedControlBar &prepared, const QString &gameFolder)
{
    const QDir game(gameFolder);
    const QStringList displaced = displacedEntries(prepared, game);
    if (!displaced.isEmpty()) {
        const QDir backup(
            QDir(Locations::communityContentFolder())
                .filePath(QStringLiteral("Previous Interface ") + QUuid::createUuid().toString(QUuid::WithoutBraces)));
        makeFolder(backup.path());
        for (const QString &name : displaced)
            moveItem(game.filePath(name), backup.filePath(name));
    }
    // Whatever differed has been moved aside, so a remaining target either
    // matches or is gone; the removal only clears a link that dangles.
    const QDir source(prepared.source);
    for (const QString &name : completeFileSet(prepared.package)) {
        const QString from = source.filePath(name);
        if (!QFileInfo::exists(from))
            throw MissingFileError(name);
        const QString target = game.filePath(name);
        if (filesMatch(from, target))
            continue;
        removeItem(target);
        copyFile(from, target);
    }
}
