#include "support/FileTree.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace FileTree {

QString home()
{
    return QDir::homePath();
}

QString inHome(const QString &relative)
{
    return QDir(home()).filePath(relative);
}

void makeFolder(const QString &path)
{
    EXPECT_TRUE(QDir().mkpath(path)) << path.toStdString();
}

void writeFile(const QString &path, const QByteArray &contents)
{
    makeFolder(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(contents), contents.size());
}

void writeExecutable(const QString &path, const QByteArray &contents)
{
    writeFile(path, contents);
    EXPECT_TRUE(QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner | QFile::ExeUser));
}

void makeSymlink(const QString &target, const QString &link)
{
    makeFolder(QFileInfo(link).absolutePath());
    EXPECT_TRUE(QFile::link(target, link)) << link.toStdString();
}

void pack(const QString &archive, const QString &folder, const QStringList &entries)
{
    makeFolder(QFileInfo(archive).absolutePath());
    QProcess packer;
    packer.setWorkingDirectory(folder);
    if (archive.endsWith(QStringLiteral(".zip")))
        packer.start(QStringLiteral("zip"), QStringList{QStringLiteral("-qr"), archive} + entries);
    else
        packer.start(QStringLiteral("tar"), QStringList{QStringLiteral("-caf"), archive} + entries);
    EXPECT_TRUE(packer.waitForFinished() && packer.exitCode() == 0) << packer.readAllStandardError().toStdString();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace FileTree
