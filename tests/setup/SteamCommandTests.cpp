#include "base/Locations.h"
#include "setup/SteamAccount.h"
#include "setup/SteamCmdCommand.h"
#include "setup/SteamTerminalScript.h"

#include <gtest/gtest.h>

#include <QDir>

#include <climits>

using namespace Qt::Literals::StringLiterals;

// What Tarnhold hands SteamCMD, and what it reads back from a Terminal run.

TEST(SteamAccount, TrimsTheNameAndAcceptsOnlyLettersMarksDigitsAndUnderscores)
{
    const QString empty = u"Enter a name."_s;
    const QString invalid = u"Steam account names may contain letters, numbers and underscores only."_s;
    const std::pair<QString, QString> cases[] = {
        {u"  gordon_1 \n"_s, QString()},  {u"Søren"_s, QString()}, {u"Se\u0301verine٣"_s, QString()},
        {u"x"_s.repeated(64), QString()}, {u"\t \n"_s, empty},     {u"gordon freeman"_s, invalid},
        {u"gordon.freeman"_s, invalid},   {u"gordon'"_s, invalid}, {u"x"_s.repeated(65), invalid}};
    for (const auto &[typed, refusal] : cases) {
        const SteamAccountCheck check = checkSteamAccount(typed, empty);
        EXPECT_EQ(check.refusal, refusal) << typed.toStdString();
        EXPECT_EQ(check.name, typed.trimmed());
    }
}

// Nothing else of Tarnhold's environment reaches SteamCMD.
TEST(SteamCmdCommand, PassesSixVariablesWithFallbacksForMissingOnes)
{
    QProcessEnvironment own;
    own.insert(u"USER"_s, u"gordon"_s);
    own.insert(u"SECRET_TOKEN"_s, u"never passed on"_s);
    const QProcessEnvironment environment = SteamCmdCommand::environment(own);
    // The login name falls back to the system's, whatever it is here.
    EXPECT_FALSE(environment.value(u"LOGNAME"_s).isEmpty());
    EXPECT_EQ(environment.toStringList(),
              (QStringList{u"HOME="_s + Locations::homeFolder(), u"LANG=C.UTF-8"_s,
                           u"LOGNAME="_s + environment.value(u"LOGNAME"_s), u"PATH=/usr/bin:/bin:/usr/sbin:/sbin"_s,
                           u"TMPDIR="_s + QDir::tempPath(), u"USER=gordon"_s}));
}

// A quote in the account or a path would end the shell's quoting, so each is
// escaped; the shell decides only the first and the last line. The terminal
// fallback's test runs the script.
TEST(SteamTerminalScript, EscapesEachValueAndFitsTheShell)
{
    const SteamTerminalDownload download{.steamCmd = u"/home/o'neil/Tarn hold/SteamCMD/steamcmd.sh"_s,
                                         .gameFolder = u"/home/o'neil/Tarn hold/SteamGame"_s,
                                         .resultFile = u"/home/o'neil/Tarn hold/terminal-result"_s,
                                         .account = u"it's"_s};
    const QString bashRead = uR"(read -r -s -n 1 -p "Press any key to close…")"_s;
    const QString bash = steamTerminalScript(download, TerminalShell::bash);
    EXPECT_TRUE(bash.startsWith(u"#!/bin/bash\n"_s) && bash.endsWith(u'\n' + bashRead)) << bash.toStdString();
    EXPECT_TRUE(
        bash.contains(uR"( '/home/o'\''neil/Tarn hold/SteamCMD/steamcmd.sh' +@sSteamCmdForcePlatformType windows )"
                      uR"(+force_install_dir '/home/o'\''neil/Tarn hold/SteamGame' +login 'it'\''s' )"
                      uR"(+app_update 2732960 validate +quit)"_s));
    EXPECT_TRUE(bash.contains(uR"(echo "$result" > '/home/o'\''neil/Tarn hold/terminal-result')"_s));
    EXPECT_EQ(
        steamTerminalScript(download, TerminalShell::zsh),
        QString(bash).replace(u"/bash"_s, u"/zsh"_s).replace(bashRead, uR"(read -k 1 "?Press any key to close…")"_s));
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
    // The first value of a key counts, and white space of any kind separates.
    EXPECT_EQ(steamManifestProgress(
                  u"\"BytesToDownload\" \"200\" \"BytesToDownload\" \"400\"\n\"BytesDownloaded\"\n\"50\""_s),
              0.25);
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
