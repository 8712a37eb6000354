#include "setup/SteamTerminalScript.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

const QString support = QStringLiteral("/Users/ada/Library/Application Support/Tarnhold");
const SteamTerminalDownload download{.steamCmd = support + QStringLiteral("/SteamCMD/steamcmd.sh"),
                                     .gameFolder = support + QStringLiteral("/SteamGame"),
                                     .resultFile = support + QStringLiteral("/terminal-result"),
                                     .account = QStringLiteral("gordon_1")};

TEST(SteamTerminalScript, ZshScriptIsExact)
{
    const QByteArray expected =
        "#!/bin/zsh\n"
        "trap '/bin/rm -f -- \"$0\"' EXIT\n"
        "clear\n"
        "echo \"Tarnhold \xE2\x80\x94 Steam ownership download\"\n"
        "echo \"SteamCMD will ask for your Steam password and Steam Guard code here.\"\n"
        "echo \"Tarnhold does not read or save either value.\"\n"
        "echo\n"
        "/usr/bin/env -i   HOME=\"$HOME\" USER=\"$USER\" LOGNAME=\"${LOGNAME:-$USER}\" TMPDIR=\"${TMPDIR:-/tmp}\"   "
        "LANG=\"${LANG:-C.UTF-8}\" PATH=\"/usr/bin:/bin:/usr/sbin:/sbin\"   "
        "'/Users/ada/Library/Application Support/Tarnhold/SteamCMD/steamcmd.sh' +@sSteamCmdForcePlatformType windows "
        "+force_install_dir '/Users/ada/Library/Application Support/Tarnhold/SteamGame' +login 'gordon_1' "
        "+app_update 2732960 validate +quit\n"
        "result=$?\n"
        "echo \"$result\" > '/Users/ada/Library/Application Support/Tarnhold/terminal-result'\n"
        "echo\n"
        "if [ $result -eq 0 ]; then\n"
        "  echo \"Download complete. Return to Tarnhold.\"\n"
        "else\n"
        "  echo \"SteamCMD exited with code $result. You can retry from Tarnhold.\"\n"
        "fi\n"
        "read -k 1 \"?Press any key to close\xE2\x80\xA6\"";
    EXPECT_EQ(steamTerminalScript(download, TerminalShell::zsh).toUtf8(), expected);
}

TEST(SteamTerminalScript, BashScriptDiffersOnlyInItsShellAndPause)
{
    const QStringList zsh = steamTerminalScript(download, TerminalShell::zsh).split(u'\n');
    QStringList bash = steamTerminalScript(download, TerminalShell::bash).split(u'\n');
    ASSERT_EQ(bash.size(), 17);
    EXPECT_EQ(bash.takeFirst(), QStringLiteral("#!/bin/bash"));
    EXPECT_EQ(bash.takeLast(), QStringLiteral("read -r -s -n 1 -p \"Press any key to close…\""));
    EXPECT_EQ(bash, zsh.mid(1, 15));
}

// The shell would end the quoting at a quote in the account or a path.
TEST(SteamTerminalScript, QuotesInAccountAndPathsAreEscaped)
{
    const QStringList lines = steamTerminalScript({.steamCmd = QStringLiteral("/h/o'neil/steamcmd.sh"),
                                                   .gameFolder = QStringLiteral("/h/o'neil/SteamGame"),
                                                   .resultFile = QStringLiteral("/h/o'neil/terminal-result"),
                                                   .account = QStringLiteral("it's")},
                                                  TerminalShell::bash)
                                  .split(u'\n');
    EXPECT_TRUE(lines[7].endsWith(
        QStringLiteral("'/h/o'\\''neil/steamcmd.sh' +@sSteamCmdForcePlatformType windows +force_install_dir "
                       "'/h/o'\\''neil/SteamGame' +login 'it'\\''s' +app_update 2732960 validate +quit")));
    EXPECT_EQ(lines[9], QStringLiteral("echo \"$result\" > '/h/o'\\''neil/terminal-result'"));
}

TEST(SteamManifestProgress, ReadsDownloadedBytesOfBytesToDownload)
{
    const auto manifest = [](const char *toDownload, const char *downloaded) {
        return QStringLiteral("\"AppState\"\n{\n\t\"appid\"\t\t\"2732960\"\n\t\"BytesToDownload\"\t\t\"%1\"\n"
                              "\t\"BytesDownloaded\"\t\t\"%2\"\n}\n")
            .arg(QLatin1String(toDownload), QLatin1String(downloaded));
    };
    const std::pair<QString, std::optional<double>> cases[] = {
        {manifest("4000", "1000"), 0.25},
        {manifest("1708465008", "1708465008"), 1.0},
        {manifest("4000", "9000"), 1.0},
        {manifest("4000", "0"), 0.0},
        // Nothing to download yet, or no usable figures.
        {manifest("0", "0"), std::nullopt},
        {manifest("-4000", "1000"), std::nullopt},
        {manifest("4000", "1,000"), std::nullopt},
        {manifest("99999999999999999999999", "1000"), std::nullopt},
        {QStringLiteral("\"BytesToDownload\" \"4000\""), std::nullopt},
        {QStringLiteral("BytesToDownload 4000 BytesDownloaded 1000"), std::nullopt},
        {QStringLiteral("\"bytestodownload\"\t\"4000\"\"BytesDownloaded\"\t\"1000\""), std::nullopt},
        // The first value of a key counts; white space of any kind separates.
        {QStringLiteral("\"BytesToDownload\" \"200\" \"BytesToDownload\" \"400\"\n\"BytesDownloaded\"\n\"50\""), 0.25},
    };
    for (const auto &[text, progress] : cases)
        EXPECT_EQ(steamManifestProgress(text), progress) << text.toStdString();
}

TEST(SteamTerminalStatus, ReadsASignedDecimal32BitInteger)
{
    const std::pair<const char *, std::optional<qint32>> cases[] = {
        {"0\n", 0},
        {"+5", 5},
        {"-1", -1},
        {" \t8\r\n", 8},
        {"2147483647", 2147483647},
        {"-2147483648", std::numeric_limits<qint32>::min()},
        {"2147483648", std::nullopt},
        {"99999999999", std::nullopt},
        {"text", std::nullopt},
        {"", std::nullopt},
        {"+", std::nullopt},
        {"1 2", std::nullopt},
        {"0x1F", std::nullopt},
        {"5.0", std::nullopt},
    };
    for (const auto &[text, status] : cases)
        EXPECT_EQ(steamTerminalStatus(QString::fromLatin1(text)), status) << text;
}

} // namespace
