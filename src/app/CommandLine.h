#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

// What one start of the tarnhold executable was asked to do.
struct CommandLine
{
    enum class Mode { window, version, help, verb, usageError };
    // Each verb but status runs one operation of the window's.
    enum class Verb {
        status,
        setup,
        launch,
        stop,
        checkUpdates,
        update,
        repair,
        profile,
        mapsList,
        mapsImport,
        mapsRemove,
        mapsOpen,
        uninstallManaged,
        restoreLegacy,
        openUrl
    };

    Mode mode = Mode::window;
    Verb verb = Verb::status;
    bool json = false;                 // status as JSON
    bool wait = false;                 // launch follows the game to its end
    std::optional<QString> resolution; // launch at "WIDTH × HEIGHT"
    QStringList operands;              // the verb's paths, map name or URL
    std::optional<QUrl> url;           // a "tarnhold:" URL to hand to the window
    QString help;                      // for help: the text to print
    QString error;                     // for usageError
};

// arguments excludes the program name.
CommandLine parseCommandLine(const QStringList &arguments);

// The overall usage: every form of the command line with one line per verb.
QString usageText();
