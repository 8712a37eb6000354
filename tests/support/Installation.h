#pragma once

#include <QByteArray>
#include <QString>

// Lays out the pieces of an installation in the test's temporary home, as
// the setup steps would leave them.
namespace Installation {

// An executable "bin/wine" inside a runtime folder.
void addRuntime(const QString &runtime);
void addLauncher(const QString &prefix);
void addGameFiles(const QString &prefix);
void writeStateFile(const QByteArray &contents);
QByteArray readStateFile();

// Managed runtime, prefix with game files and launcher.
void addReadyInstallation();

} // namespace Installation
