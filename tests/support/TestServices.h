#pragma once

#include "base/Catalog.h"
#include "base/InstallationRecord.h"
#include "base/OperationState.h"
#include "base/Timing.h"
#include "content/HttpClient.h"
#include "content/Services.h"
#include "support/FakePlatform.h"
#include "support/FixtureServer.h"

using namespace std::chrono_literals;

// Everything a controller is built from, as the model would give it: a fake
// platform, a fixture server that the catalog's update channel and SteamCMD
// site point at, the record and the operation state, and fast timing.
struct TestServices
{
    FakePlatform platform;
    FixtureServer server;
    OperationState operation;
    InstallationRecord record;
    Timing timing = fastTiming();
    HttpClient http{timing, operation};
    Catalog catalog = catalogAt(server);

    Services services() { return {platform, http, catalog, timing, record}; }

    // Back-off seconds of a millisecond, transfers that stall for 2 s, a
    // Terminal run looked at every millisecond and C&C Labs fetches a
    // millisecond apart.
    static Timing fastTiming()
    {
        Timing timing;
        timing.backOffSecond = 1ms;
        timing.transferTimeout = 2s;
        timing.steamTerminalPoll = 1ms;
        timing.cncLabsPause = 1ms;
        return timing;
    }

    static Catalog catalogAt(const FixtureServer &server)
    {
        Catalog catalog;
        catalog.updateChannel = server.url(QStringLiteral("/channel/"));
        catalog.steamCmdSite = server.url(QStringLiteral("/valve"));
        catalog.gitHubAPI = server.url(QStringLiteral("/github-api"));
        catalog.gitHubWeb = server.url(QStringLiteral("/github"));
        catalog.cncLabsSite = server.url(QStringLiteral("/cnclabs"));
        catalog.genToolSite = server.url(QStringLiteral("/gentool"));
        return catalog;
    }
};
