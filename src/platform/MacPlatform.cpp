#include "platform/MacPlatform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QOperatingSystemVersion>
#include <QProcess>
#include <QStringList>
#include <QSysInfo>
#include <QTimer>

#include <CoreFoundation/CoreFoundation.h>

namespace {

// "Reduce motion" in the accessibility settings: the key is absent until the
// user first changes the setting. Synchronising first drops this process's
// cached copy, so a change made in System Settings is seen.
bool reduceMotionSetting()
{
    const CFStringRef domain = CFSTR("com.apple.universalaccess");
    CFPreferencesAppSynchronize(domain);
    Boolean valid = false;
    const Boolean reduce = CFPreferencesGetAppBooleanValue(CFSTR("reduceMotion"), domain, &valid);
    return valid && reduce;
}

} // namespace

MacPlatform::MacPlatform() = default;

MacPlatform::~MacPlatform() = default;

std::optional<QString> MacPlatform::unmetSystemRequirement() const
{
    if (QOperatingSystemVersion::current().majorVersion() < 13)
        return QStringLiteral("Tarnhold requires macOS 13 or newer.");
    return std::nullopt;
}

// Judged by the processor, not by this build: an Intel build running under
// Rosetta has it already, and an Apple Silicon build needs it for the game.
bool MacPlatform::needsRosetta() const
{
    return QSysInfo::currentCpuArchitecture() == u"arm64";
}

bool MacPlatform::rosettaInstalled() const
{
    return QFileInfo::exists(QStringLiteral("/Library/Apple/usr/libexec/oah/libRosettaRuntime"));
}

// macOS asks for the administrator password in its own dialog; Tarnhold
// never sees it.
ToolCommand MacPlatform::installRosettaCommand() const
{
    return {QStringLiteral("/usr/bin/osascript"),
            {QStringLiteral("-e"), QStringLiteral("do shell script \"/usr/sbin/softwareupdate --install-rosetta "
                                                  "--agree-to-license\" with administrator privileges")}};
}

// The executable sits in Tarnhold.app/Contents/MacOS.
QString MacPlatform::resourcesFolder() const
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../Resources"));
}

// The bundle, or the bare executable when a build runs outside one.
QString MacPlatform::applicationPath() const
{
    const QString bundle = QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../.."));
    return bundle.endsWith(u".app") ? bundle : QCoreApplication::applicationFilePath();
}

// A copy on a disk image or in a build folder is not the user's to trash.
bool MacPlatform::applicationIsInstalled() const
{
    return applicationPath().startsWith(u"/Applications/");
}

// zsh comes with every macOS Tarnhold runs on. The pause lets Tarnhold quit
// before its bundle moves; the time stamp keeps earlier copies in the Trash.
UninstallScript MacPlatform::uninstallScript() const
{
    const QStringList lines{
        QStringLiteral("#!/bin/zsh"),
        QStringLiteral("sleep 1"),
        QStringLiteral("app_path=\"$1\""),
        QStringLiteral("stamp=$(/bin/date +%Y%m%d-%H%M%S)"),
        QStringLiteral("destination=\"$HOME/.Trash/Tarnhold-${stamp}.app\""),
        QStringLiteral("/bin/mv \"$app_path\" \"$destination\""),
        QStringLiteral("/bin/rm -f \"$0\""),
    };
    return {QStringLiteral("/bin/zsh"), QStringLiteral(".zsh"), lines.join(u'\n')};
}

void MacPlatform::revealFile(const QString &path)
{
    QProcess::startDetached(QStringLiteral("/usr/bin/open"), {QStringLiteral("-R"), path});
}

void MacPlatform::openFolder(const QString &path)
{
    QProcess::startDetached(QStringLiteral("/usr/bin/open"), {path});
}

bool MacPlatform::openScriptInTerminal(const QString &script)
{
    return QProcess::startDetached(QStringLiteral("/usr/bin/open"),
                                   {QStringLiteral("-a"), QStringLiteral("Terminal"), script});
}

// The global preference "AppleInterfaceStyle" is "Dark" in the dark
// appearance and absent in the light one.
bool MacPlatform::prefersDarkAppearance() const
{
    if (const std::optional<bool> forced = darkAppearanceOverride())
        return *forced;
    CFPreferencesAppSynchronize(kCFPreferencesAnyApplication);
    const CFPropertyListRef style =
        CFPreferencesCopyAppValue(CFSTR("AppleInterfaceStyle"), kCFPreferencesAnyApplication);
    const bool dark = style && CFGetTypeID(style) == CFStringGetTypeID()
                      && CFStringCompare(static_cast<CFStringRef>(style), CFSTR("Dark"), kCFCompareCaseInsensitive)
                             == kCFCompareEqualTo;
    if (style)
        CFRelease(style);
    return dark;
}

// Qt follows the system's appearance on macOS and announces every change
// as a palette change, which the window already listens for. Nothing
// announces reduced motion outside AppKit's own notification centre, so the
// setting is looked at again every two seconds; cfprefsd answers from memory.
void MacPlatform::watchPreferences(std::function<void()> changed)
{
    m_reducedMotionPoll.reset();
    if (!changed)
        return;
    m_reducedMotion = reduceMotionSetting();
    m_reducedMotionPoll = std::make_unique<QTimer>();
    m_reducedMotionPoll->setInterval(2000);
    QObject::connect(m_reducedMotionPoll.get(), &QTimer::timeout, m_reducedMotionPoll.get(),
                     [this, changed = std::move(changed)] {
                         const bool reduce = reduceMotionSetting();
                         if (reduce == m_reducedMotion)
                             return;
                         m_reducedMotion = reduce;
                         changed();
                     });
    m_reducedMotionPoll->start();
}

bool MacPlatform::systemPrefersReducedMotion() const
{
    return reduceMotionSetting();
}

ToolCommand MacPlatform::unzipCommand(const QString &archive, const QString &destination) const
{
    return {toolProgram(QStringLiteral("ditto")), {QStringLiteral("-x"), QStringLiteral("-k"), archive, destination}};
}

// ditto merges the source's contents into the destination, creating it.
ToolCommand MacPlatform::copyTreeCommand(const QString &source, const QString &destination) const
{
    return {toolProgram(QStringLiteral("ditto")), {source, destination}};
}

// ditto merges every source into one destination; cp keeps each folder apart
// and, like ditto, keeps extended attributes.
ToolCommand MacPlatform::copyFoldersIntoCommand(const QStringList &folders, const QString &destination) const
{
    return {toolProgram(QStringLiteral("cp")),
            QStringList{QStringLiteral("-a")} + folders + QStringList{QDir(destination).filePath(QStringLiteral("."))}};
}

QString MacPlatform::steamCmdArchiveName() const
{
    return QStringLiteral("steamcmd_osx.tar.gz");
}

TerminalShell MacPlatform::terminalShell() const
{
    return TerminalShell::zsh;
}

// Absolute paths: the system's own tools, whatever a user's PATH holds.
QString MacPlatform::toolProgram(const QString &name) const
{
    return name == u"ps" ? QStringLiteral("/bin/ps") : QStringLiteral("/usr/bin/") + name;
}

// The system keeps a Trash on every writable volume and makes it on demand.
bool MacPlatform::prepareTrash()
{
    return true;
}

std::unique_ptr<Platform> createPlatform()
{
    return std::make_unique<MacPlatform>();
}
