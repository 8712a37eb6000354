#include "support/FakePlatform.h"

#include <QDir>
#include <QFileInfo>

bool FakePlatform::rosettaInstalled() const
{
    return rosettaRuntime.isEmpty() || QFileInfo::exists(rosettaRuntime);
}

std::optional<qint64> FakePlatform::availableCapacity(const QString &path) const
{
    capacityPaths.append(path);
    return capacity;
}

bool FakePlatform::openScriptInTerminal(const QString &script)
{
    terminalScripts.append(script);
    return terminalOpens;
}

bool FakePlatform::moveToTrash(const QString &path, QString *error)
{
    const QDir trash(trashFolder());
    const QString name = QFileInfo(QDir::cleanPath(path)).fileName();
    // Numbered like a real Trash when an item of the same name is there.
    QString target = trash.filePath(name);
    for (int copy = 2; QFileInfo::exists(target) || QFileInfo(target).isSymLink(); ++copy)
        target = trash.filePath(name + u' ' + QString::number(copy));
    if (trashSucceeds && trash.mkpath(QStringLiteral(".")) && QDir().rename(path, target)) {
        trashedPaths.append(path);
        return true;
    }
    if (error)
        *error = trashError;
    return false;
}

ToolCommand FakePlatform::unzipCommand(const QString &archive, const QString &destination) const
{
    return {QStringLiteral("unzip"),
            {QStringLiteral("-o"), QStringLiteral("-qq"), archive, QStringLiteral("-d"), destination}};
}

ToolCommand FakePlatform::copyTreeCommand(const QString &source, const QString &destination) const
{
    return {QStringLiteral("cp"), {QStringLiteral("-a"), QDir(source).filePath(QStringLiteral(".")), destination}};
}

ToolCommand FakePlatform::listZipCommand(const QString &archive) const
{
    return {QStringLiteral("unzip"), {QStringLiteral("-Z1"), archive}};
}

ToolCommand FakePlatform::untarCommand(const QString &archive, const QString &destination) const
{
    return {QStringLiteral("tar"), {QStringLiteral("-xf"), archive, QStringLiteral("-C"), destination}};
}

ToolCommand FakePlatform::listProcessesCommand() const
{
    return {QStringLiteral("ps"), {QStringLiteral("-axo"), QStringLiteral("pid=,pcpu=,command=")}};
}

QString FakePlatform::wineRuntimeResource() const
{
    return QDir(resources).filePath(QStringLiteral("wine-runtime"));
}

QString FakePlatform::trashFolder()
{
    return QDir::home().filePath(QStringLiteral(".Trash"));
}
