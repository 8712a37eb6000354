#include "app/AppSection.h"

QString title(AppSection section)
{
    switch (section) {
    case AppSection::home:
        return QStringLiteral("Home");
    case AppSection::setup:
        return QStringLiteral("Install & Repair");
    case AppSection::maps:
        return QStringLiteral("Maps");
    case AppSection::updates:
        return QStringLiteral("Updates");
    case AppSection::settings:
        return QStringLiteral("Settings");
    }
    Q_UNREACHABLE();
    return {};
}
