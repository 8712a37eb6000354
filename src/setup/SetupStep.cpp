#include "setup/SetupStep.h"

#include "platform/SystemWording.h"

namespace {

struct StepTexts
{
    QString caseName;
    QString heading;
    QString actionLabel;
    QString description;
};

// The macOS texts; systemWording gives another system its own.
StepTexts texts(SetupStep step)
{
    switch (step) {
    case SetupStep::checkMac:
        return {QStringLiteral("checkMac"), QStringLiteral("Check this Mac"), QStringLiteral("Check this Mac"),
                QStringLiteral("Confirming macOS 13 or newer, an Intel or Apple Silicon processor, and at least 8 GB "
                               "of free disk space. This check does not change the Mac.")};
    case SetupStep::runtime:
        return {QStringLiteral("runtime"), QStringLiteral("Install Mac runtime"), QStringLiteral("Install runtime"),
                QStringLiteral("Installing the free CodeWeavers Wine 11 SSE2 runtime that passed the multiplayer "
                               "synchronization test. CrossOver is not required.")};
    case SetupStep::steam:
        return {QStringLiteral("steam"), QStringLiteral("Connect Steam"), QStringLiteral("Download SteamCMD"),
                QStringLiteral("Downloading Valve’s official SteamCMD helper. It is used only to verify ownership and "
                               "download the Windows files for Steam app 2732960.")};
    case SetupStep::gameFiles:
        return {QStringLiteral("gameFiles"), QStringLiteral("Download Zero Hour"), QStringLiteral("Connect Steam"),
                QStringLiteral("Connect to Valve SteamCMD inside Tarnhold, verify ownership and follow the Windows "
                               "game download without switching to Terminal.")};
    case SetupStep::onlineClient:
        return {QStringLiteral("onlineClient"), QStringLiteral("Install Velmora"), QStringLiteral("Install Velmora"),
                QStringLiteral("Creating a separate game environment and installing the checksum-verified online "
                               "client, Easy Anti-Cheat, current ranked maps, 15 verified ordinary three-player maps "
                               "and the resolution-matched interface.")};
    case SetupStep::complete:
        return {QStringLiteral("complete"), QStringLiteral("Ready"), QStringLiteral("Finish"),
                QStringLiteral("The original game, online client, free Mac runtime, verified map library and "
                               "high-resolution interface are installed and ready.")};
    }
    Q_UNREACHABLE();
    return {};
}

} // namespace

QString caseName(SetupStep step)
{
    return texts(step).caseName;
}

QString heading(SetupStep step)
{
    return systemWording(texts(step).heading);
}

QString actionLabel(SetupStep step)
{
    return systemWording(texts(step).actionLabel);
}

QString description(SetupStep step)
{
    return systemWording(texts(step).description);
}
