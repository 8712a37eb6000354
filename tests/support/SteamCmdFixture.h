#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// What the fake SteamCMD does on its next run.
struct SteamCmdScenario
{
    enum class Guard { none, email, authenticator, approval };
    enum class Job { success, failedState, noSubscription };

    // What it accepts at its prompts; the fake keeps only their SHA-256.
    QString password = QStringLiteral("correct horse");
    Guard guard = Guard::none;
    QString guardCode = QStringLiteral("F4K3C");
    Job job = Job::success;
    // The state a failed job ends in ("0x202" is a full disk).
    QString failedState = QStringLiteral("0x202");
    // Exits with 7 at once, as when another user owns the SteamCMD folder.
    bool foreignOwner = false;
    // Stops halfway through the download until this file exists.
    std::optional<QString> holdUntil = std::nullopt;
};

// The fake SteamCMD of tests/fixtures/steamcmd, which behaves as Valve's at
// its interface, in one SteamCMD folder.
class SteamCmdFixture final
{
public:
    explicit SteamCmdFixture(QString folder);

    // The download archive, laid out as Valve's: "steamcmd.sh" and
    // "linux32/" directly at the top of a gzip-compressed tar.
    static QByteArray archive();

    // Puts the fake into the folder, with the default scenario.
    void install() const;
    void setScenario(const SteamCmdScenario &scenario) const;

    QString script() const;
    // What the last run was started with: each argument, each environment
    // variable as "NAME=value", and its working folder.
    QStringList arguments() const;
    QStringList environment() const;
    QString workingFolder() const;
    // A run waits at its hold.
    bool isHolding() const;

private:
    QStringList recordedLines(const QString &name) const;

    QString m_folder;
};
