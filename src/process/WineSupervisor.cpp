#include "process/WineSupervisor.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <limits>

namespace {

qint64 fileSize(const QString &path)
{
    return QFileInfo(path).size();
}

} // namespace

WineSupervisor::WineSupervisor(QString runtime, QString prefix, EnvironmentVariables environment, ToolCommand lister,
                               WineTiming timing)
    : m_runtime(std::move(runtime))
    , m_prefix(std::move(prefix))
    , m_environment(std::move(environment))
    , m_lister(std::move(lister))
    , m_timing(timing)
{}

QList<WineProcess> WineSupervisor::parseProcessList(const QString &listing, const QString &runtimePath)
{
    QList<WineProcess> processes = parseProcessRows(listing);
    // An empty path would be found in every command line.
    processes.removeIf(
        [&](const WineProcess &process) { return runtimePath.isEmpty() || !process.command.contains(runtimePath); });
    return processes;
}

QList<WineProcess> WineSupervisor::parseProcessRows(const QString &listing)
{
    // The id, the share (one decimal, none from 100 on, and the locale's
    // comma from macOS's ps), then the command after a single space. Strict,
    // so that nothing ps never prints (nan, 1e3, +9) passes as a number.
    static const QRegularExpression row(QStringLiteral("\\A *([0-9]+) +([0-9]+(?:[.,][0-9]+)?) ( *\\S.*)\\z"));
    QList<WineProcess> processes;
    for (const QStringView line : QStringView(listing).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch fields = row.match(line);
        bool pidParsed = false;
        const qint32 pid = fields.hasMatch() ? fields.capturedView(1).toInt(&pidParsed) : 0;
        // Only positive ids name one process; kill() would take the others as
        // a process group or every process there is.
        if (!pidParsed || pid <= 0)
            continue;
        const double cpu = fields.captured(2).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
        processes.append({pid, cpu, fields.captured(3)});
    }
    return processes;
}

bool WineSupervisor::prefixIsUsable() const
{
    return fileSize(m_prefix + QStringLiteral("/system.reg")) > 100000
           && fileSize(m_prefix + QStringLiteral("/user.reg")) > 1000
           && fileSize(m_prefix + QStringLiteral("/userdef.reg")) > 100
           && QFileInfo::exists(m_prefix + QStringLiteral("/drive_c/windows/system32"));
}

std::optional<QDateTime> WineSupervisor::lastPrefixWrite() const
{
    std::optional<QDateTime> latest;
    for (const char *item : {"system.reg", "user.reg", "userdef.reg", ".update-timestamp", "dosdevices", "drive_c"}) {
        const QFileInfo info(m_prefix + QLatin1Char('/') + QLatin1String(item));
        if (info.exists() && (!latest || info.lastModified() > *latest))
            latest = info.lastModified();
    }
    return latest;
}

WineHealth WineSupervisor::health(const WineSnapshot &snapshot, double elapsed, const QDateTime &now)
{
    const double idle = snapshot.lastPrefixWrite ? snapshot.lastPrefixWrite->msecsTo(now) / 1000.0 : elapsed;
    if (snapshot.cpuPercent >= 1.0 || idle < 10.0)
        return {};
    // Clamped so that absurd clock values cannot overflow the whole seconds.
    const int seconds =
        static_cast<int>(std::clamp(std::min(idle, elapsed), 0.0, double(std::numeric_limits<int>::max())));
    return {seconds >= 30 ? WineHealth::State::stalled : WineHealth::State::waiting, seconds};
}

EnvironmentVariables WineSupervisor::prefixCreationEnvironment() const
{
    EnvironmentVariables environment = m_environment;
    Environment::set(environment, QStringLiteral("WINEDLLOVERRIDES"),
                     QStringLiteral("d3d8=n,b;winemenubuilder.exe=d;mscoree=d;mshtml=d"));
    return environment;
}
