#pragma once

#include "base/AntiCheatPins.h"
#include "base/ControlBarPins.h"
#include "base/ThreePlayerMapPackage.h"

#include <QList>
#include <QUrl>

// The base address of the online service's CDN that serves the release
// manifest. It is not public, so builds set it; the default sits under the
// reserved ".invalid" domain and never reaches a real host.
QUrl officialUpdateChannel();

// Every web base address and every pinned checksum or identifier Tarnhold
// relies on, in one value. Production uses the defaults; tests pass a
// catalog that points at their fixture server and pins their own archives.
struct Catalog
{
    QUrl updateChannel = officialUpdateChannel();
    QList<ThreePlayerMapPackage> threePlayerMaps = plainThreePlayerMapPackages();
    // Valve's public download site; SteamCMD lies below "/client/installer/".
    QUrl steamCmdSite = QUrl(QStringLiteral("https://steamcdn-a.akamaihd.net"));
    AntiCheatPins antiCheat = officialAntiCheatPins();
    // The community content's sites: the ranked maps' repository through
    // GitHub's REST API and its web archives, the three-player maps' pages,
    // and the interface package and GenTool.
    QUrl gitHubAPI = QUrl(QStringLiteral("https://api.github.com"));
    QUrl gitHubWeb = QUrl(QStringLiteral("https://github.com"));
    QUrl cncLabsSite = QUrl(QStringLiteral("https://www.cnclabs.com"));
    QUrl genToolSite = QUrl(QStringLiteral("https://gentool.net"));
    ControlBarPins controlBar;
};
