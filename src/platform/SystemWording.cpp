#include "platform/SystemWording.h"

#include <QHash>

#ifndef Q_OS_MACOS
namespace {

// The Linux runtime wraps the system's Wine, so the texts about the Mac's
// bundled Wine build and its packaging say what is true here instead.
const QHash<QString, QString> &linuxWordings()
{
    static const QHash<QString, QString> wordings{
        // The guided setup.
        {QStringLiteral("Check this Mac"), QStringLiteral("Check this computer")},
        {QStringLiteral("Install Mac runtime"), QStringLiteral("Install Linux runtime")},
        {QStringLiteral("Confirming macOS 13 or newer, an Intel or Apple Silicon processor, and at least 8 GB of free "
                        "disk space. This check does not change the Mac."),
         QStringLiteral("Confirming the system’s Wine, the 32-bit library SteamCMD needs, and at least 8 GB of free "
                        "disk space. This check does not change the computer.")},
        {QStringLiteral("Installing the free CodeWeavers Wine 11 SSE2 runtime that passed the multiplayer "
                        "synchronization test. CrossOver is not required."),
         QStringLiteral("Setting up a runtime that runs the game with the system’s own Wine from Debian’s wine64 "
                        "package. CrossOver is not required.")},
        {QStringLiteral("The original game, online client, free Mac runtime, verified map library and "
                        "high-resolution interface are installed and ready."),
         QStringLiteral("The original game, online client, free Linux runtime, verified map library and "
                        "high-resolution interface are installed and ready.")},
        {QStringLiteral("Checking processor, macOS and disk space…"),
         QStringLiteral("Checking Wine, system libraries and disk space…")},
        {QStringLiteral("Installing the free Wine 11 SSE2 runtime…"),
         QStringLiteral("Installing the free Wine runtime…")},
        {QStringLiteral("Preparing the Mac compatibility environment…"),
         QStringLiteral("Preparing the Wine compatibility environment…")},
        {QStringLiteral("The Mac compatibility environment did not start after "),
         QStringLiteral("The Wine compatibility environment did not start after ")},
        {QStringLiteral("The Mac runtime is missing."), QStringLiteral("The Linux runtime is missing.")},
        // The window and its screens.
        {QStringLiteral("Velmora for Mac"), QStringLiteral("Velmora for Linux")},
        {QStringLiteral("Velmora · Mac"), QStringLiteral("Velmora · Linux")},
        {QStringLiteral("Tarnhold, Velmora for Mac"), QStringLiteral("Tarnhold, Velmora for Linux")},
        {QStringLiteral("Mac runtime"), QStringLiteral("Linux runtime")},
        {QStringLiteral("Mac environment"), QStringLiteral("Wine environment")},
        {QStringLiteral("Set up this Mac"), QStringLiteral("Set up this computer")},
        {QStringLiteral("The original Steam files, online client and multiplayer-safe Mac runtime are present."),
         QStringLiteral("The original Steam files, online client and multiplayer-safe Linux runtime are present.")},
        {QStringLiteral("A guided setup will download the game you own and configure the free Mac runtime."),
         QStringLiteral("A guided setup will download the game you own and configure the free Linux runtime.")},
        {QStringLiteral("Components appear here once Tarnhold has looked at this Mac."),
         QStringLiteral("Components appear here once Tarnhold has looked at this computer.")},
        {QStringLiteral("Valve SteamCMD is downloading the owned game files to this Mac."),
         QStringLiteral("Valve SteamCMD is downloading the owned game files to this computer.")},
        {QStringLiteral("Windows files on macOS"), QStringLiteral("Windows files on Linux")},
        {QStringLiteral("Browse the maps on this Mac, inspect their origin and import personal map packages."),
         QStringLiteral("Browse the maps on this computer, inspect their origin and import personal map packages.")},
        {QStringLiteral("Copied into this Mac’s game Maps folder. They are not uploaded or synchronized by Tarnhold."),
         QStringLiteral(
             "Copied into this computer’s game Maps folder. They are not uploaded or synchronized by Tarnhold.")},
        {QStringLiteral("Show in Finder"), QStringLiteral("Show in File Manager")},
        {QStringLiteral("Downloaded from published community sources during installation—not bundled in the DMG."),
         QStringLiteral("Downloaded from published community sources during installation—not bundled with Tarnhold.")},
        {QStringLiteral("The DMG contains none of these maps and no personal cloud is involved."),
         QStringLiteral("Tarnhold’s package contains none of these maps and no personal cloud is involved.")},
        {QStringLiteral("Return this Mac to a clean Tarnhold setup state, or remove the app itself. The separately "
                        "proven legacy Generals installation is never deleted by these controls."),
         QStringLiteral("Return this computer to a clean Tarnhold setup state, or remove the app itself. The "
                        "separately proven legacy Generals installation is never deleted by these controls.")},
    };
    return wordings;
}

} // namespace
#endif

QString systemWording(const QString &macText)
{
#ifdef Q_OS_MACOS
    return macText;
#else
    return linuxWordings().value(macText, macText);
#endif
}
