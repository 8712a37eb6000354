#include "platform/LinuxPlatform.h"

#include "platform/LinuxRequirements.h"
#include "platform/PortalSettings.h"

#include <QCoreApplication>
#include <QCoroDBusPendingCall>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
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

// Asks the file manager to select the item, and opens the containing folder
// when no file manager answers or it fails. The bus is taken by value: the
// call may outlive the platform.
QCoro::Task<> reveal(QDBusConnection bus, QString path)
{
    QDBusMessage showItems = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    // The URIs, and an empty start-up notification id.
    showItems << QStringList{QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded)} << QString();
    const QDBusPendingCall call = bus.asyncCall(showItems);
    const QDBusMessage reply = co_await call;
    if (reply.type() != QDBusMessage::ReplyMessage)
        QProcess::startDetached(QStringLiteral("xdg-open"), {QFileInfo(path).path()});
}

// Where an installed Tarnhold (prefix/bin/tarnhold) keeps its resources.
QString installedResourcesFolder()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/tarnhold"));
}

} // namespace

LinuxPlatform::LinuxPlatform(QString busAddress)
    : m_busAddress(std::move(busAddress))
{}

LinuxPlatform::~LinuxPlatform()
{
    m_portal.reset();
    if (!m_busName.isEmpty())
        QDBusConnection::disconnectFromBus(m_busName);
}

// Any kernel runs Wine and SteamCMD; what matters is the packages they come in.
std::optional<QString> LinuxPlatform::unmetSystemRequirement() const
{
    return unmetLinuxRequirement(QStringLiteral("/"));
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

// A build run in place keeps its resources next to the executable.
QString LinuxPlatform::resourcesFolder() const
{
    const QString installed = installedResourcesFolder();
    return QFileInfo(installed).isDir() ? installed : QCoreApplication::applicationDirPath();
}

QString LinuxPlatform::applicationPath() const
{
    return QCoreApplication::applicationFilePath();
}

// Installed as its install rules lay it out: prefix/bin/tarnhold beside
// prefix/share/tarnhold.
bool LinuxPlatform::applicationIsInstalled() const
{
    return QDir(QCoreApplication::applicationDirPath()).dirName() == u"bin"
           && QFileInfo(installedResourcesFolder()).isDir();
}

// What the install rules put down, into the freedesktop.org Trash with the
// information a file manager needs to put it back. The pause lets Tarnhold
// quit first; the time stamp keeps earlier copies in the Trash apart.
UninstallScript LinuxPlatform::uninstallScript() const
{
    return {QStringLiteral("/bin/bash"), QStringLiteral(".sh"), QStringLiteral(R"script(#!/bin/bash
sleep 1
app_path="$1"
prefix="${app_path%/*/*}"
stamp=$(/bin/date +%Y%m%d-%H%M%S)
deleted=$(/bin/date +%Y-%m-%dT%H:%M:%S)
trash="${XDG_DATA_HOME:-$HOME/.local/share}/Trash"
/bin/mkdir -p "$trash/files" "$trash/info"
encoded() {
    local LC_ALL=C path="$1" char out="" i
    for ((i = 0; i < ${#path}; i++)); do
        char="${path:i:1}"
        case "$char" in
        [A-Za-z0-9/._~-]) out+="$char" ;;
        *) printf -v char '%%%02X' "'$char" && out+="$char" ;;
        esac
    done
    printf '%s' "$out"
}
trash_item() {
    [ -e "$1" ] || [ -L "$1" ] || return 0
    printf '[Trash Info]\nPath=%s\nDeletionDate=%s\n' "$(encoded "$1")" "$deleted" >"$trash/info/$2.trashinfo"
    /bin/mv "$1" "$trash/files/$2" || /bin/rm -f "$trash/info/$2.trashinfo"
}
trash_item "$app_path" "Tarnhold-${stamp}"
trash_item "$prefix/share/tarnhold" "Tarnhold-${stamp}-resources"
trash_item "$prefix/share/applications/tarnhold.desktop" "Tarnhold-${stamp}.desktop"
/bin/rm -f "$0")script")};
}

void LinuxPlatform::revealFile(const QString &path)
{
    reveal(bus(), QFileInfo(path).absoluteFilePath());
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
    using ColorScheme = PortalSettings::ColorScheme;
    const ColorScheme portal = m_portal ? m_portal->colorScheme() : ColorScheme::noPreference;
    if (portal != ColorScheme::noPreference)
        return portal == ColorScheme::dark;
    return qEnvironmentVariable("GTK_THEME").contains(u":dark");
}

bool LinuxPlatform::systemPrefersReducedMotion() const
{
    return m_portal && m_portal->prefersReducedMotion();
}

// Only a window watches, so the command line never reaches for the bus. The
// portal stays once asked: its answers remain true for the next watcher.
void LinuxPlatform::watchPreferences(std::function<void()> changed)
{
    m_preferencesChanged = std::move(changed);
    if (!m_preferencesChanged || m_portal)
        return;
    m_portal = std::make_unique<PortalSettings>(bus());
    QObject::connect(m_portal.get(), &PortalSettings::changed, m_portal.get(), [this] {
        if (m_preferencesChanged)
            m_preferencesChanged();
    });
}

// bsdtar rather than Debian's unzip, which garbles names flagged as UTF-8
// in archives made on Windows. Names without the flag are in the DOS code
// page, as ZIP defines; bsdtar converts both to UTF-8 when its locale is, so
// the locale is set rather than inherited. It also refuses any entry that
// would land outside the destination or be written through a link.
ToolCommand LinuxPlatform::unzipCommand(const QString &archive, const QString &destination) const
{
    return {toolProgram(QStringLiteral("env")),
            {QStringLiteral("LC_ALL=C.UTF-8"), toolProgram(QStringLiteral("bsdtar")), QStringLiteral("-x"),
             QStringLiteral("-f"), archive, QStringLiteral("-C"), destination, QStringLiteral("--options"),
             QStringLiteral("zip:hdrcharset=CP437")}};
}

// "SRC/." copies the folder's contents, hidden entries included, into an
// existing destination; the caller creates the destination first.
ToolCommand LinuxPlatform::copyTreeCommand(const QString &source, const QString &destination) const
{
    return {toolProgram(QStringLiteral("cp")),
            {QStringLiteral("-a"), QDir(source).filePath(QStringLiteral(".")), destination}};
}

ToolCommand LinuxPlatform::copyFoldersIntoCommand(const QStringList &folders, const QString &destination) const
{
    return {toolProgram(QStringLiteral("cp")),
            QStringList{QStringLiteral("-a")} + folders + QStringList{QDir(destination).filePath(QStringLiteral("."))}};
}

QString LinuxPlatform::steamCmdArchiveName() const
{
    return QStringLiteral("steamcmd_linux.tar.gz");
}

TerminalShell LinuxPlatform::terminalShell() const
{
    return TerminalShell::bash;
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

// A bus of its own gets a connection named after this platform, closed with it.
QDBusConnection LinuxPlatform::bus()
{
    if (m_busAddress.isEmpty())
        return QDBusConnection::sessionBus();
    if (m_busName.isEmpty())
        m_busName = QStringLiteral("tarnhold-platform-%1").arg(quintptr(this), 0, 16);
    return QDBusConnection::connectToBus(m_busAddress, m_busName);
}

std::unique_ptr<Platform> createPlatform()
{
    return std::make_unique<LinuxPlatform>();
}
