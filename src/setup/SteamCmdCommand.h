#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// How Tarnhold runs Valve's SteamCMD to download the game.
namespace SteamCmdCommand {

// "SteamCMD" in the support folder, and "steamcmd.sh" directly inside it.
QString folder();
QString script();

// Signs in as account and downloads and verifies the Windows build of the
// game into downloadFolder, then quits.
QStringList arguments(const QString &downloadFolder, const QString &account);

// The six variables SteamCMD runs with, taken from Tarnhold's own
// environment where it has them; nothing else of it is passed on.
QProcessEnvironment environment(const QProcessEnvironment &own);

} // namespace SteamCmdCommand
