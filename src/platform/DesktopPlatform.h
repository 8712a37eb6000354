#pragma once

#include "platform/Platform.h"

// The part of the platform layer that is the same on macOS and Linux: disk
// capacity, the Trash, quitting, the preferences that can be forced through
// the environment, and the tools that take the same arguments on both.
class DesktopPlatform : public Platform
{
public:
    std::optional<qint64> availableCapacity(const QString &path) const final;
    bool moveToTrash(const QString &path, QString *error) final;
    void quitApplication() final;
    bool prefersReducedMotion() const final;

    // Tools whose arguments are the same on both systems.
    ToolCommand listZipCommand(const QString &archive) const final;
    ToolCommand zipTotalsCommand(const QString &archive) const final;
    ToolCommand untarCommand(const QString &archive, const QString &destination, int stripComponents) const final;
    ToolCommand listProcessesCommand() const final;

protected:
    // The program to run for a system tool named like "tar" or "ps".
    virtual QString toolProgram(const QString &name) const = 0;
    // Makes sure a Trash exists for moveToTrash to use; false when there can
    // be none, and the item must then stay where it is.
    virtual bool prepareTrash() = 0;

    // The system's reduced-motion preference, asked once the environment
    // has not forced it.
    virtual bool systemPrefersReducedMotion() const = 0;

    // TARNHOLD_APPEARANCE=dark or light forces the appearance; absent when
    // unset or anything else, so the system's own answer applies.
    static std::optional<bool> darkAppearanceOverride();
};
