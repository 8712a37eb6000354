#include "setup/SteamCmdCommand.h"

#include "base/Locations.h"

#include <QDir>

#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace {

// The name of the user Tarnhold runs as, from the user database.
QString loginName()
{
    passwd entry{};
    passwd *found = nullptr;
    std::vector<char> buffer(16384);
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
        return {};
    return QString::fromLocal8Bit(found->pw_name);
}

} // namespace

namespace SteamCmdCommand {

QString folder()
{
    return QDir(Locations::supportFolder()).filePath(QStringLiteral("SteamCMD"));
}

QString script()
{
    return QDir(folder()).filePath(QStringLiteral("steamcmd.sh"));
}

QStringList arguments(const QString &downloadFolder, const QString &account)
{
    return {QStringLiteral("+@sSteamCmdForcePlatformType"),
            QStringLiteral("windows"),
            QStringLiteral("+force_install_dir"),
            QDir(downloadFolder).absolutePath(),
            QStringLiteral("+login"),
            account,
            QStringLiteral("+app_update"),
            QStringLiteral("2732960"),
            QStringLiteral("validate"),
            QStringLiteral("+quit")};
}

QProcessEnvironment environment(const QProcessEnvironment &own)
{
    const auto ownOr = [&own](const QString &name, const QString &fallback) {
        return own.contains(name) ? own.value(name) : fallback;
    };
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("HOME"), Locations::homeFolder());
    environment.insert(QStringLiteral("USER"), ownOr(QStringLiteral("USER"), loginName()));
    environment.insert(QStringLiteral("LOGNAME"), ownOr(QStringLiteral("LOGNAME"), loginName()));
    environment.insert(QStringLiteral("TMPDIR"), ownOr(QStringLiteral("TMPDIR"), QDir::tempPath()));
    environment.insert(QStringLiteral("LANG"), ownOr(QStringLiteral("LANG"), QStringLiteral("C.UTF-8")));
    environment.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin:/usr/sbin:/sbin"));
    return environment;
}

} // namespace SteamCmdCommand
