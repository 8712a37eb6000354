#pragma once

#include "base/InstalledState.h"

#include <QList>
#include <QString>

// One row of the component list on the home and setup screens.
struct ComponentHealth
{
    enum class Health { ready, missing, attention };

    QString id;
    QString name;
    QString detail;
    Health health = Health::missing;

    bool operator==(const ComponentHealth &) const = default;
};

QString caseName(ComponentHealth::Health health);

// What the rows are derived from, gathered once per rebuild.
struct ComponentFacts
{
    bool runtimePresent = false;
    bool gameFilesPresent = false;
    bool launcherPresent = false;
    bool hasUpdate = false;
    int mapCount = 0;
};

// The six rows, always in the same order.
QList<ComponentHealth> componentRows(const ComponentFacts &facts, const InstalledState &state);
