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
// site point at, the record and the operation state, and downloads whose
// back-off second lasts a millisecond.
struct TestServices
{
    FakePlatform platform;
    FixtureServer server;
    OperationState operation;
    InstallationRecord record;
    Timing timing{1ms, 2s};
    HttpClient http{timing, operation};
    Catalog catalog = catalogAt(server);

    Services services() { return {platform, http, catalog, timing, record}; }

    static Catalog catalogAt(const FixtureServer &server)
    {
        return {.updateChannel = server.url(QStringLiteral("/channel/")),
                .steamCmdSite = server.url(QStringLiteral("/valve"))};
    }
};
