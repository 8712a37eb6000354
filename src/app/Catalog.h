#pragma once

#include "client/UpdateChannel.h"
#include "content/ThreePlayerMapPackage.h"

#include <QList>
#include <QUrl>

// Every web base address and every pinned checksum or identifier Tarnhold
// relies on, in one value. Production uses the defaults; tests pass a
// catalog that points at their fixture server and pins their own archives.
struct Catalog
{
    QUrl updateChannel = officialUpdateChannel();
    QList<ThreePlayerMapPackage> threePlayerMaps = plainThreePlayerMapPackages();
};
