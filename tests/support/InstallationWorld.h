#pragma once

#include "base/Catalog.h"
#include "support/FixtureServer.h"

#include <QByteArray>

// Every site a first installation reaches, served by one fixture server:
// the update channel with a client release, the ranked-map repository, the
// three-player map site, the interface packages and SteamCMD's download,
// with the catalog pinned to them. With windowsPrograms the client carries
// Windows stand-ins for its launcher and anti-cheat installer, for a run on
// Debian's Wine; they exist only where MinGW was found at build time.
class InstallationWorld final
{
public:
    explicit InstallationWorld(bool windowsPrograms);

    static bool hasWindowsPrograms();

    // Serves this SteamCMD download in place of the fake's default one.
    void serveSteamCmd(const QByteArray &archive);

    FixtureServer &server() { return m_server; }
    const Catalog &catalog() const { return m_catalog; }

private:
    FixtureServer m_server;
    QByteArray m_client;
    Catalog m_catalog;
};
