#pragma once

#include "platform/Platform.h"

#include <QString>
#include <QStringView>

#include <optional>

// The Terminal fallback of the game download: a script runs SteamCMD in a
// terminal window where the user signs in, and Tarnhold follows the download
// from outside through SteamCMD's app manifest and a result file the script
// writes. Tarnhold never sees the password or the Guard code.

// "download-generals.command" and "terminal-result" in the support folder.
QString steamTerminalScriptFile();
QString steamTerminalResultFile();

// What the script runs and where it reports.
struct SteamTerminalDownload
{
    QString steamCmd;   // "steamcmd.sh" in the SteamCMD folder
    QString gameFolder; // the folder SteamCMD downloads into
    QString resultFile; // receives SteamCMD's exit status and a line feed
    QString account;    // the account name as checked, already trimmed
};

// The script's text, without a line feed after its last line: the same
// SteamCMD invocation as the embedded run (arguments and six environment
// variables), its status written to the result file, and a pause before the
// window closes. The shell decides only the first and the last line.
QString steamTerminalScript(const SteamTerminalDownload &download, TerminalShell shell);

// How far the download in an app manifest has come: "BytesDownloaded" of
// "BytesToDownload", between 0 and 1. Absent until there is something to
// download, and for text that is not a manifest.
std::optional<double> steamManifestProgress(QStringView manifest);

// SteamCMD's exit status in the result file's text: a decimal 32-bit
// integer with an optional sign, white space around it ignored. Absent for
// anything else, such as a file caught half-written.
std::optional<qint32> steamTerminalStatus(QStringView result);
