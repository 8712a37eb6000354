#include "base/FileChanges.h"

#include "base/UserFacingError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

void makeFolder(const QString &path)
{
    if (!QDir().mkpath(path))
        throw UserFacingError(
            QStringLiteral("Tarnhold could not create the folder “%1”.").arg(QDir::toNativeSeparators(path)));
}

void removeItem(const QString &path)
{
    const QFileInfo item(path);
    // QDir would empty a linked folder through the link.
    const bool removed = item.isDir() && !item.isSymLink() ? QDir(path).removeRecursively() : QFile::remove(path);
    if (!removed && (item.exists() || item.isSymLink()))
        throw UserFacingError(QStringLiteral("Tarnhold could not remove “%1”.").arg(QDir::toNativeSeparators(path)));
}

void removeQuietly(const QString &path)
{
    try {
        removeItem(path);
    } catch (const UserFacingError &) {
    }
}

void moveItem(const QString &from, const QString &to)
{
    if (!QDir().rename(from, to))
        throw UserFacingError(QStringLiteral("Tarnhold could not move “%1” to “%2”.")
                                  .arg(QDir::toNativeSeparators(from), QDir::toNativeSeparators(to)));
}

void replaceFile(const QString &path, const QByteArray &contents)
{
    // QSaveFile writes to the target of a link.
    if (QFileInfo(path).isSymLink())
        QFile::remove(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size() || !file.commit())
        throw UserFacingError(
            QStringLiteral("Tarnhold could not save “%1”: %2").arg(QFileInfo(path).fileName(), file.errorString()));
}

void copyFile(const QString &source, const QString &target)
{
    if (!QFile::copy(source, target))
        throw UserFacingError(QStringLiteral("Tarnhold could not copy “%1” to “%2”.")
                                  .arg(QDir::toNativeSeparators(source), QDir::toNativeSeparators(target)));
}
