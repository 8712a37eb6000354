#include "client/SessionLogs.h"

#include "base/FileChanges.h"
#include "base/Locations.h"
#include "base/MissingFileError.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace SessionLogs {

QString sessionLog()
{
    return QDir(Locations::logsFolder()).filePath(QStringLiteral("game.log"));
}

QString clientLog()
{
    return QDir(Locations::gameDataFolder()).filePath(QStringLiteral("VelmoraData/Velmora.log"));
}

void archiveLog(const QString &file, const QString &prefix)
{
    const QFileInfo source(file);
    if (!source.exists())
        throw MissingFileError(source.fileName());
    if (source.size() < 1)
        return;
    QDateTime modified = source.lastModified();
    if (!modified.isValid())
        modified = QDateTime::currentDateTime();
    const QString name =
        prefix + QLatin1Char('-') + QLocale::c().toString(modified, QStringLiteral("yyyyMMdd-HHmmss")) + ".log";
    const QString archive = QDir(Locations::logsFolder()).filePath(name);
    if (QFileInfo(archive).exists() || QFileInfo(archive).isSymLink())
        return;
    copyFile(file, archive);
}

void archiveVelmoraLog()
{
    if (!QFileInfo::exists(clientLog()))
        return;
    makeFolder(Locations::logsFolder());
    archiveLog(clientLog(), QStringLiteral("velmora"));
}

void rotateSessionLogs()
{
    makeFolder(Locations::logsFolder());
    archiveVelmoraLog();
    if (!QFileInfo::exists(sessionLog()))
        return;
    archiveLog(sessionLog(), QStringLiteral("launcher"));
    removeItem(sessionLog());
}

} // namespace SessionLogs
