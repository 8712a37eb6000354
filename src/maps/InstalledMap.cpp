#include "maps/InstalledMap.h"

QString label(InstalledMap::Source source)
{
    switch (source) {
    case InstalledMap::Source::ranked:
        return QStringLiteral("Ranked release");
    case InstalledMap::Source::cncLabs:
        return QStringLiteral("C&C Labs");
    case InstalledMap::Source::managed:
        return QStringLiteral("Managed collection");
    case InstalledMap::Source::personal:
        return QStringLiteral("Personal map");
    }
    Q_UNREACHABLE();
    return {};
}

QString caseName(InstalledMap::Source source)
{
    switch (source) {
    case InstalledMap::Source::ranked:
        return QStringLiteral("ranked");
    case InstalledMap::Source::cncLabs:
        return QStringLiteral("cncLabs");
    case InstalledMap::Source::managed:
        return QStringLiteral("managed");
    case InstalledMap::Source::personal:
        return QStringLiteral("personal");
    }
    Q_UNREACHABLE();
    return {};
}
