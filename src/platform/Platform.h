#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

// A system tool to run as a child process: the program and its arguments.
struct ToolCommand
{
    QString program;
    QStringList arguments;

    bool operator==(const ToolCommand &) const = default;
};

// The shell a terminal download script is written for: macOS has zsh,
// Debian does not.
enum class TerminalShell { zsh, bash };

// The script that moves the installed application to the Trash once
// Tarnhold has quit: the shell that runs it, the extension of its file, and
// its text, which takes the application's path as its first argument and
// deletes itself when done.
struct UninstallScript
{
    QString shell;
    QString extension;
    QString contents;
};

// Everything that differs between macOS and Linux. The model receives one
// at construction; production picks the implementation for the system it was
// built for and tests inject a fake.
class Platform
{
public:
    virtual ~Platform() = default;

    // Why this system cannot run the setup (too old a macOS, a missing
    // package on Linux), in a sentence for the user; absent when it can.
    virtual std::optional<QString> unmetSystemRequirement() const = 0;
    // Rosetta 2 matters only on Apple Silicon Macs; elsewhere it is never
    // needed and counts as present.
    virtual bool needsRosetta() const = 0;
    virtual bool rosettaInstalled() const = 0;
    virtual ToolCommand installRosettaCommand() const = 0;
    // Bytes available to the user on the volume holding path; absent when
    // the system cannot tell.
    virtual std::optional<qint64> availableCapacity(const QString &path) const = 0;

    // The folder with the application's bundled resources, and the path of
    // the application itself (the bundle on macOS, the executable on Linux).
    virtual QString resourcesFolder() const = 0;
    virtual QString applicationPath() const = 0;
    // Whether Tarnhold runs from where it was installed, rather than from a
    // build folder or a disk image; only an installed copy removes itself.
    virtual bool applicationIsInstalled() const = 0;
    virtual UninstallScript uninstallScript() const = 0;

    // Shows a file selected in the file manager.
    virtual void revealFile(const QString &path) = 0;
    virtual void openFolder(const QString &path) = 0;
    // Runs a shell script in a new terminal window; false when none opened.
    virtual bool openScriptInTerminal(const QString &script) = 0;
    // Moves an item to the Trash; on failure returns false and sets error to
    // a user-facing description. Never deletes instead.
    virtual bool moveToTrash(const QString &path, QString *error) = 0;
    virtual void quitApplication() = 0;

    virtual bool prefersReducedMotion() const = 0;
    virtual bool prefersDarkAppearance() const = 0;
    // Calls `changed` on the GUI thread whenever either preference may have
    // changed without Qt announcing a palette change; an empty function
    // stops the calls.
    virtual void watchPreferences(std::function<void()> changed) = 0;

    // System tools, with their paths and arguments on this system.
    virtual ToolCommand unzipCommand(const QString &archive, const QString &destination) const = 0;
    virtual ToolCommand copyTreeCommand(const QString &source, const QString &destination) const = 0;
    // Copies each folder, under its own name, into the existing destination
    // in one run: a child process per folder costs more than small copies.
    virtual ToolCommand copyFoldersIntoCommand(const QStringList &folders, const QString &destination) const = 0;
    virtual ToolCommand listZipCommand(const QString &archive) const = 0;
    // Prints one line with the archive's totals, its uncompressed size among
    // them: "N files, X bytes uncompressed, Y bytes compressed: Z%".
    virtual ToolCommand zipTotalsCommand(const QString &archive) const = 0;
    // Drops the first stripComponents folders of every entry's path, as an
    // archive whose entries sit below one top-level folder needs.
    virtual ToolCommand untarCommand(const QString &archive, const QString &destination,
                                     int stripComponents = 0) const = 0;
    virtual ToolCommand listProcessesCommand() const = 0;

    virtual QString steamCmdArchiveName() const = 0;
    virtual TerminalShell terminalShell() const = 0;
};

// The implementation for the system Tarnhold was built for.
std::unique_ptr<Platform> createPlatform();
