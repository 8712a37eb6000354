#include "ui/shell/PhaseArtwork.h"

#include "platform/SystemWording.h"

QString phaseTitle(InstallerPhase phase)
{
    switch (phase) {
    case InstallerPhase::preparing:
        return QStringLiteral("Preparing");
    case InstallerPhase::environment:
        return systemWording(QStringLiteral("Mac environment"));
    case InstallerPhase::gameFiles:
        return QStringLiteral("Original game");
    case InstallerPhase::onlineClient:
        return QStringLiteral("Online client");
    case InstallerPhase::community:
        return QStringLiteral("Maps & interface");
    case InstallerPhase::complete:
        break;
    }
    return QStringLiteral("Ready");
}

QString phaseSymbol(InstallerPhase phase)
{
    switch (phase) {
    case InstallerPhase::preparing:
        return QStringLiteral("shippingbox");
    case InstallerPhase::environment:
        return QStringLiteral("wineglass");
    case InstallerPhase::gameFiles:
        return QStringLiteral("arrow.down.to.line");
    case InstallerPhase::onlineClient:
        return QStringLiteral("globe");
    case InstallerPhase::community:
        return QStringLiteral("map.fill");
    case InstallerPhase::complete:
        break;
    }
    return QStringLiteral("checkmark");
}
