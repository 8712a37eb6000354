#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The fake SteamCMD of tests/fixtures/steamcmd, which behaves as Valve's at
// its interface, in one SteamCMD folder.
class SteamCmdFixture final
{
public:
    // Puts the fake's "steamcmd.sh" into folder, with the default scenario.
    explicit SteamCmdFixture(QString folder);

    // The download archive, laid out as Valve's: "steamcmd.sh" and
    // "linux32/" directly at the top of a gzip-compressed tar. With
    // scenario, the archive carries that scenario file too.
    static QByteArray archive(const QByteArray &scenario = {});

    // What the next run does: lines of the fake's scenario file, such as
    // "guard=email" or "authenticator", "job=no-subscription" or
    // "failed-state" with "failed_state=0x402", "owner=other" (exits 7) and
    // "hold_until=FILE" (waits halfway until FILE exists). Without them it
    // signs in with the password "correct horse" alone and succeeds; a
    // Guard asks for the code "F4K3C". "password_sha256=any" or
    // "guard_code_sha256=any" takes whatever is typed.
    void setScenario(const QByteArray &lines = {}) const;

    // What the last run left, one line each: "arguments", "environment"
    // (NAME=value) or "working-folder".
    QStringList recorded(const QString &name) const;

private:
    QString m_folder;
};
