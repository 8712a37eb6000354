#include "setup/SteamTerminalScript.h"

#include <gtest/gtest.h>

#include <climits>

using namespace Qt::Literals::StringLiterals;

// The shell decides only the first and the last line. A quote in the account
// or a path would end the shell's quoting, so each is escaped.
TEST(SteamTerminalScript, IsExactForEachShell)
{
    const SteamTerminalDownload download{.steamCmd = u"/home/o'neil/Tarn hold/SteamCMD/steamcmd.sh"_s,
                                         .gameFolder = u"/home/o'neil/Tarn hold/SteamGame"_s,
                                         .resultFile = u"/home/o'neil/Tarn hold/terminal-result"_s,
                                         .account = u"it's"_s};
    const QString script =
        uR"(#!/bin/%1
trap '/bin/rm -f -- "$0"' EXIT
clear
echo "Tarnhold — Steam ownership download"
echo "SteamCMD will ask for your Steam password and Steam Guard code here."
echo "Tarnhold does not read or save either value."
echo
/usr/bin/env -i   HOME="$HOME" USER="$USER" LOGNAME="${LOGNAME:-$USER}" TMPDIR="${TMPDIR:-/tmp}"   )"
        uR"(LANG="${LANG:-C.UTF-8}" PATH="/usr/bin:/bin:/usr/sbin:/sbin"   '/home/o'\''neil/Tarn hold/)"
        uR"(SteamCMD/steamcmd.sh' +@sSteamCmdForcePlatformType windows +force_install_dir )"
        uR"('/home/o'\''neil/Tarn hold/SteamGame' +login 'it'\''s' +app_update 2732960 validate +quit
result=$?
echo "$result" > '/home/o'\''neil/Tarn hold/terminal-result'
echo
if [ $result -eq 0 ]; then
  echo "Download complete. Return to Tarnhold."
else
  echo "SteamCMD exited with code $result. You can retry from Tarnhold."
fi
%2)"_s;
    EXPECT_EQ(steamTerminalScript(download, TerminalShell::zsh),
              script.arg(u"zsh"_s, uR"(read -k 1 "?Press any key to close…")"_s));
    EXPECT_EQ(steamTerminalScript(download, TerminalShell::bash),
              script.arg(u"bash"_s, uR"(read -r -s -n 1 -p "Press any key to close…")"_s));
}

TEST(SteamManifestProgress, ReadsDownloadedBytesOfBytesToDownload)
{
    const auto manifest = [](const char *toDownload, const char *downloaded) {
        return u"\"AppState\"\n{\n\t\"appid\"\t\t\"2732960\"\n\t\"BytesToDownload\"\t\t\"%1\"\n"
               u"\t\"BytesDownloaded\"\t\t\"%2\"\n}\n"_s.arg(QLatin1String(toDownload), QLatin1String(downloaded));
    };
    const std::tuple<const char *, const char *, std::optional<double>> cases[] = {
        {"4000", "1000", 0.25}, {"1708465008", "1708465008", 1.0},
        {"4000", "9000", 1.0},  {"4000", "0", 0.0},
        {"0", "0", {}},         {"-4000", "1000", {}},
        {"4000", "1,000", {}},  {"99999999999999999999999", "1000", {}}};
    for (const auto &[toDownload, downloaded, progress] : cases)
        EXPECT_EQ(steamManifestProgress(manifest(toDownload, downloaded)), progress) << toDownload << ' ' << downloaded;
    // The first value of a key counts, white space of any kind separates, and
    // only quoted keys in their own case are keys.
    EXPECT_EQ(steamManifestProgress(
                  u"\"BytesToDownload\" \"200\" \"BytesToDownload\" \"400\"\n\"BytesDownloaded\"\n\"50\""_s),
              0.25);
    for (const char *text : {"\"BytesToDownload\" \"4000\"", "BytesToDownload 4000 BytesDownloaded 1000",
                             "\"bytestodownload\"\t\"4000\"\"BytesDownloaded\"\t\"1000\""})
        EXPECT_EQ(steamManifestProgress(QString::fromLatin1(text)), std::nullopt) << text;
}

TEST(SteamTerminalStatus, ReadsASignedDecimal32BitInteger)
{
    const std::pair<const char *, qint32> numbers[] = {
        {"0\n", 0}, {"+5", 5}, {"-1", -1}, {" \t8\r\n", 8}, {"2147483647", INT_MAX}, {"-2147483648", INT_MIN}};
    for (const auto &[text, status] : numbers)
        EXPECT_EQ(steamTerminalStatus(QString::fromLatin1(text)), status) << text;
    for (const char *text : {"2147483648", "99999999999", "text", "", "+", "1 2", "0x1F", "5.0"})
        EXPECT_EQ(steamTerminalStatus(QString::fromLatin1(text)), std::nullopt) << text;
}
