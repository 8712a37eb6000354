#include "platform/LinuxPlatform.h"

#include "platform/PortalAppearance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QSysInfo>
#include <QUrl>

namespace {

// A terminal emulator and the arguments after which it takes the program to
// run with its own arguments.
struct TerminalCandidate
{
    QString program;
    QStringList arguments;
};

QList<TerminalCandidate> terminalCandidates()
{
    QList<TerminalCandidate> candidates;
    // $TERMINAL may carry options of its own ("kitty --single-instance").
    QStringList preferred = QProcess::splitCommand(qEnvironmentVariable("TERMINAL"));
    if (!preferred.isEmpty()) {
        const QString program = preferred.takeFirst();
        candidates.append({program, preferred << QStringLiteral("-e")});
    }
    // Debian's alternative promises xterm's "-e program arguments".
    candidates.append({QStringLiteral("x-terminal-emulator"), {QStringLiteral("-e")}});
    candidates.append({QStringLiteral("gnome-terminal"), {QStringLiteral("--")}});
    candidates.append({QStringLiteral("konsole"), {QStringLiteral("-e")}});
    // xfce4-terminal's "-e" wants one command string; "-x" takes the rest.
    candidates.append({QStringLiteral("xfce4-terminal"), {QStringLiteral("-x")}});
    candidates.append({QStringLiteral("xterm"), {QStringLiteral("-e")}});
    return candidates;
}

// The D-Bus method's argument: a GVariant array of one single-quoted URI.
// A fully encoded URI has no backslash; its only quote is "'".
QString showItemsArgument(const QString &path)
{
    QString uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded);
    uri.replace(u'\'', QStringLiteral("%27"));
    return QStringLiteral("['%1']").arg(uri);
}

} // namespace

// The kernel version, because every Linux system has one in the same numeric
// form; distribution versions may be "rolling", "n/a" or a code name.
LinuxPlatform::LinuxPlatform() = default;

LinuxPlatform::~LinuxPlatform() = default;

QVersionNumber LinuxPlatform::operatingSystemVersion() const
{
    return QVersionNumber::fromString(QSysInfo::kernelVersion());
}

bool LinuxPlatform::needsRosetta() const
{
    return false;
}

bool LinuxPlatform::rosettaInstalled() const
{
    return true;
}

// Rosetta translates Intel code on Apple Silicon Macs only; Linux never needs
// it, so there is nothing to run and the command stays empty.
ToolCommand LinuxPlatform::installRosettaCommand() const
{
    return {};
}

// An installed Tarnhold (prefix/bin/tarnhold) keeps its resources in
// prefix/share/tarnhold; a build run in place keeps them next to the
// executable.
QString LinuxPlatform::resourcesFolder() const
{
    const QDir executableFolder(QCoreApplication::applicationDirPath());
    const QString installed = QDir::cleanPath(executableFolder.filePath(QStringLiteral("../share/tarnhold")));
    return QFileInfo(installed).isDir() ? installed : executableFolder.path();
}

QString LinuxPlatform::applicationPath() const
{
    return QCoreApplication::applicationFilePath();
}

// Asks the file manager to select the item, and opens the containing folder
// when gdbus is missing or no file manager answers. The shell runs both
// detached, so the GUI thread never waits; the paths reach it as arguments,
// never inside the script text.
void LinuxPlatform::revealFile(const QString &path)
{
    static const QString script =
        QStringLiteral("gdbus call --session --timeout 10 --dest org.freedesktop.FileManager1"
                       " --object-path /org/freedesktop/FileManager1 --method org.freedesktop.FileManager1.ShowItems"
                       " \"$1\" '\"\"' >/dev/null 2>&1 || exec xdg-open \"$2\"");
    QProcess::startDetached(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script, QStringLiteral("tarnhold-reveal"),
                                                        showItemsArgument(path), QFileInfo(path).absolutePath()});
}

void LinuxPlatform::openFolder(const QString &path)
{
    QProcess::startDetached(QStringLiteral("xdg-open"), {path});
}

// The script must be executable; the terminal runs it through its "#!" line.
bool LinuxPlatform::openScriptInTerminal(const QString &script)
{
    const auto candidates = terminalCandidates();
    for (const TerminalCandidate &terminal : candidates) {
        const QString program = QStandardPaths::findExecutable(terminal.program);
        if (!program.isEmpty() && QProcess::startDetached(program, QStringList(terminal.arguments) << script))
            return true;
    }
    return false;
}

// The desktop portal speaks for GNOME, KDE and the others alike; without
// it GTK_THEME ("Adwaita:dark") is the one hint the environment carries.
bool LinuxPlatform::prefersDarkAppearance() const
{
    if (const std::optional<bool> forced = darkAppearanceOverride())
        return *forced;
    const std::optional<ColorScheme> portal = m_portal ? m_portal->colorScheme() : std::nullopt;
    if (portal && portal != ColorScheme::noPreference)
        return portal == ColorScheme::dark;
    return qEnvironmentVariable("GTK_THEME").contains(u":dark");
}

void LinuxPlatform::watchAppearance(std::function<void()> changed)
{
    m_portal = changed ? std::make_unique<PortalAppearance>(std::move(changed)) : nullptr;
}

ToolCommand LinuxPlatform::unzipCommand(const QString &archive, const QString &destination) const
{
    return {toolProgram(QStringLiteral("unzip")),
            {QStringLiteral("-o"), QStringLiteral("-qq"), archive, QStringLiteral("-d"), destination}};
}

// "SRC/." copies the folder's contents, hidden entries included, into an
// existing destination; the caller creates the destination first.
ToolCommand LinuxPlatform::copyTreeCommand(const QString &source, const QString &destination) const
{
    return {toolProgram(QStringLiteral("cp")),
            {QStringLiteral("-a"), QDir(source).filePath(QStringLiteral(".")), destination}};
}

QString LinuxPlatform::steamCmdArchiveName() const
{
    return QStringLiteral("steamcmd_linux.tar.gz");
}

// A folder whose bin/wine wraps the system's Wine.
QString LinuxPlatform::wineRuntimeResource() const
{
    return QDir(resourcesFolder()).filePath(QStringLiteral("wine-runtime"));
}

// Bare names: QProcess looks them up on PATH when each child starts, so the
// distribution's layout (/bin or /usr/bin) does not matter.
QString LinuxPlatform::toolProgram(const QString &name) const
{
    return name;
}

// Qt makes the home Trash only inside an existing data folder, and when it
// finds no Trash at all it moves the item into "files" below the working
// directory and reports success. A fresh account may not have
// ~/.local/share yet, so make it, and refuse when the Trash cannot exist.
bool LinuxPlatform::prepareTrash()
{
    const QDir dataHome(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    if (!dataHome.mkpath(QStringLiteral(".")))
        return false;
    dataHome.mkdir(QStringLiteral("Trash"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return QFileInfo(dataHome.filePath(QStringLiteral("Trash"))).isDir();
}

std::unique_ptr<Platform> createPlatform()
{
    return std::make_unique<LinuxPlatform>();
}
