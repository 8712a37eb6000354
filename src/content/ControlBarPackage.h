#pragma once

#include "base/ControlBarPins.h"

#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

// One variant of the Control Bar Pro 1.2 interface package.
struct ControlBarPackage
{
    // Width, " × ", height.
    QString resolution;
    // The zip archive's name on GenTool's site.
    QString archiveName;
    QString sha256;
    // Taken from the archive's top level and installed into the game folder.
    QStringList files;

    QUrl url(const QUrl &genToolSite) const;
    bool operator==(const ControlBarPackage &) const = default;
};

// A package whose files, GenTool's d3d8.dll included, sit ready in source.
struct PreparedControlBar
{
    ControlBarPackage package;
    QString source;

    bool operator==(const PreparedControlBar &) const = default;
};

// The variant made for exactly this resolution text; any text without its
// own variant gets the 2560 × 1440 one.
ControlBarPackage controlBarPackage(const QString &resolution, const ControlBarPins &pins = {});

// The package's files followed by "d3d8.dll": what a prepared folder holds.
QStringList completeFileSet(const ControlBarPackage &package);
// Where the package's files are assembled and kept, one folder per variant.
QString preparedControlBarFolder(const ControlBarPackage &package);
// The package prepared in its folder, absent when a file of it is missing.
std::optional<PreparedControlBar> preparedControlBar(const ControlBarPackage &package);

inline const QString genToolLibraryName = QStringLiteral("d3d8.dll");
inline const QString genToolArchiveName = QStringLiteral("GenTool_v8.9.zip");
QUrl genToolURL(const QUrl &genToolSite);
