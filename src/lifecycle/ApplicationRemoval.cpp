#include "lifecycle/ApplicationRemoval.h"

#include "base/FileChanges.h"
#include "base/UserFacingError.h"
#include "platform/Platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QUuid>

void startApplicationRemoval(const Platform &platform)
{
    // Without the right to change the application's folder the script would
    // move nothing, after Tarnhold had quit as if it had.
    const QFileInfo application(platform.applicationPath());
    if (!QFileInfo(application.path()).isWritable())
        throw UserFacingError(
            QStringLiteral("You don’t have permission to move “%1” to the Trash.").arg(application.fileName()));
    const UninstallScript script = platform.uninstallScript();
    const QString path =
        QDir(QDir::tempPath())
            .filePath(QStringLiteral("tarnhold-uninstall-")
                      + QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper() + script.extension);
    replaceFile(path, script.contents.toUtf8());
    if (!QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)) {
        removeQuietly(path);
        throw UserFacingError(
            QStringLiteral("Tarnhold could not make “%1” executable.").arg(QDir::toNativeSeparators(path)));
    }
    // The script outlives Tarnhold, so nothing waits for it.
    if (!QProcess::startDetached(script.shell, {path, platform.applicationPath()})) {
        removeQuietly(path);
        throw UserFacingError(QStringLiteral("Tarnhold could not start %1.").arg(script.shell));
    }
}
