#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

// What one start of the tarnhold executable was asked to do.
struct CommandLine
{
    enum class Mode { window, version, status, usageError };

    Mode mode = Mode::window;
    bool json = false;       // status as JSON
    std::optional<QUrl> url; // a "tarnhold:" URL to hand to the window
    QString error;           // for usageError
};

// arguments excludes the program name.
CommandLine parseCommandLine(const QStringList &arguments);

QString usageText();
