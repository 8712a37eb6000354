#include "support/Installation.h"

#include "base/Locations.h"
#include "support/FileTree.h"

#include <QDir>

namespace Installation {

void addRuntime(const QString &runtime)
{
    FileTree::writeExecutable(QDir(runtime).filePath(QStringLiteral("bin/wine")));
}

void addLauncher(const QString &prefix)
{
    FileTree::writeFile(Locations::launcherFile(prefix), "MZ");
}

void addGameFiles(const QString &prefix)
{
    FileTree::writeFile(QDir(Locations::gameFolder(prefix)).filePath(QStringLiteral("Generals.exe")), "MZ");
}

void writeStateFile(const QByteArray &contents)
{
    FileTree::writeFile(Locations::stateFile(), contents);
}

QByteArray readStateFile()
{
    return FileTree::readFile(Locations::stateFile());
}

void addReadyInstallation()
{
    addRuntime(Locations::currentRuntimeFolder());
    addGameFiles(Locations::managedPrefixFolder());
    addLauncher(Locations::managedPrefixFolder());
}

} // namespace Installation
