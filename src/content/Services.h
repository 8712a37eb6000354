#pragma once

#include "base/Catalog.h"
#include "base/Timing.h"

class HttpClient;
class InstallationRecord;
class Platform;

// What every controller that reaches the system, the web or the record is
// given at construction. The model owns each service and outlives every
// controller; the fixed folders are the free functions of Locations.
struct Services
{
    Platform &platform;
    HttpClient &http;
    const Catalog &catalog;
    Timing timing;
    InstallationRecord &record;
};
