#include "setup/SteamTerminalScript.h"

#include "base/Locations.h"

#include <QDir>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

namespace {

// Inside single quotes the shell takes everything literally but the quote
// itself, which closes the quoting, is escaped and reopens it. Paths get the
// same treatment as the account, so a support folder below a home folder
// with a quote in its name still gives a working script.
QString singleQuoted(QString text)
{
    return QLatin1Char('\'') + text.replace(QLatin1Char('\''), QStringLiteral("'\\''")) + QLatin1Char('\'');
}

// The first number after key in a manifest; absent when there is none or it
// does not fit.
std::optional<qulonglong> manifestNumber(QStringView manifest, const QRegularExpression &key)
{
    const QRegularExpressionMatch match = key.match(manifest);
    bool readable = false;
    const qulonglong number = match.hasMatch() ? match.capturedView(1).toULongLong(&readable) : 0;
    return readable ? std::optional(number) : std::nullopt;
}

QRegularExpression manifestKey(const char *name)
{
    // SteamCMD separates key and value with tabs; any white space will do.
    return QRegularExpression(QStringLiteral("\"%1\"\\s+\"([0-9]+)\"").arg(QLatin1String(name)),
                              QRegularExpression::UseUnicodePropertiesOption);
}

} // namespace

QString steamTerminalScriptFile()
{
    return QDir(Locations::supportFolder()).filePath(QStringLiteral("download-generals.command"));
}

QString steamTerminalResultFile()
{
    return QDir(Locations::supportFolder()).filePath(QStringLiteral("terminal-result"));
}

QString steamTerminalScript(const SteamTerminalDownload &download, TerminalShell shell)
{
    const bool zsh = shell == TerminalShell::zsh;
    const QString steamCmdCommand =
        QStringLiteral(
            "/usr/bin/env -i   HOME=\"$HOME\" USER=\"$USER\" LOGNAME=\"${LOGNAME:-$USER}\" "
            "TMPDIR=\"${TMPDIR:-/tmp}\"   LANG=\"${LANG:-C.UTF-8}\" PATH=\"/usr/bin:/bin:/usr/sbin:/sbin\"   ")
        + singleQuoted(download.steamCmd) + QStringLiteral(" +@sSteamCmdForcePlatformType windows +force_install_dir ")
        + singleQuoted(download.gameFolder) + QStringLiteral(" +login ") + singleQuoted(download.account)
        + QStringLiteral(" +app_update 2732960 validate +quit");
    return QStringList{
        zsh ? QStringLiteral("#!/bin/zsh") : QStringLiteral("#!/bin/bash"),
        QStringLiteral("trap '/bin/rm -f -- \"$0\"' EXIT"),
        QStringLiteral("clear"),
        QStringLiteral("echo \"Tarnhold — Steam ownership download\""),
        QStringLiteral("echo \"SteamCMD will ask for your Steam password and Steam Guard code here.\""),
        QStringLiteral("echo \"Tarnhold does not read or save either value.\""),
        QStringLiteral("echo"),
        steamCmdCommand,
        QStringLiteral("result=$?"),
        QStringLiteral("echo \"$result\" > ") + singleQuoted(download.resultFile),
        QStringLiteral("echo"),
        QStringLiteral("if [ $result -eq 0 ]; then"),
        QStringLiteral("  echo \"Download complete. Return to Tarnhold.\""),
        QStringLiteral("else"),
        QStringLiteral("  echo \"SteamCMD exited with code $result. You can retry from Tarnhold.\""),
        QStringLiteral("fi"),
        zsh ? QStringLiteral("read -k 1 \"?Press any key to close…\"")
            : QStringLiteral("read -r -s -n 1 -p \"Press any key to close…\""),
    }
        .join(QLatin1Char('\n'));
}

std::optional<double> steamManifestProgress(QStringView manifest)
{
    static const QRegularExpression toDownload = manifestKey("BytesToDownload");
    static const QRegularExpression downloaded = manifestKey("BytesDownloaded");
    const std::optional<qulonglong> total = manifestNumber(manifest, toDownload);
    if (!total || *total == 0)
        return std::nullopt;
    const std::optional<qulonglong> done = manifestNumber(manifest, downloaded);
    if (!done)
        return std::nullopt;
    return std::clamp(double(*done) / double(*total), 0.0, 1.0);
}

std::optional<qint32> steamTerminalStatus(QStringView result)
{
    static const QRegularExpression decimal(QStringLiteral("\\A[+-]?[0-9]+\\z"));
    const QStringView trimmed = result.trimmed();
    bool fits = false;
    const qint32 status = decimal.match(trimmed).hasMatch() ? trimmed.toInt(&fits) : 0;
    return fits ? std::optional(status) : std::nullopt;
}
