#include "setup/SetupStep.h"

QString caseName(SetupStep step)
{
    switch (step) {
    case SetupStep::checkMac:
        return QStringLiteral("checkMac");
    case SetupStep::runtime:
        return QStringLiteral("runtime");
    case SetupStep::steam:
        return QStringLiteral("steam");
    case SetupStep::gameFiles:
        return QStringLiteral("gameFiles");
    case SetupStep::onlineClient:
        return QStringLiteral("onlineClient");
    case SetupStep::complete:
        return QStringLiteral("complete");
    }
    Q_UNREACHABLE();
    return {};
}
