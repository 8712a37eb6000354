#pragma once

#include "platform/Platform.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The fake Wine runtime of tests/fixtures/wine in one runtime folder: a
// "bin/wine" that creates, hangs or exits by scenario, a "bin/wineserver"
// that ends what it hung, and a placeholder wineboot.exe.
class WineRuntimeFixture final
{
public:
    explicit WineRuntimeFixture(QString runtime);

    QString runtime() const { return m_runtime; }
    QString wine() const { return m_runtime + QStringLiteral("/bin/wine"); }
    QString wineboot() const { return m_runtime + QStringLiteral("/lib/wine/x86_64-windows/wineboot.exe"); }

    // What the next runs do: "wineboot=" followed by "create" (the default:
    // a complete prefix, exit 0), "exit" (with "status=N", nothing created),
    // "hang", "hang-after-creating" or "registry-at-server-stop" (the system
    // folder at once, the registry files when "wineserver -k" or "-w" runs);
    // "program=hang" for every other program, or "program=play": a line on
    // each output stream, then running until SIGTERM or a file "quit" in
    // "bin"; otherwise it exits with "status" (0 unless set).
    void setScenario(const QByteArray &lines = {}) const;

    // What the runs left, one line each: "wine-arguments" (one run a line,
    // its arguments separated by tabs), "wine-environment" (WINEPREFIX,
    // WINEDLLOVERRIDES, WINEDEBUG and PWD of the last run) or "wineserver-arguments".
    QStringList recorded(const QString &name) const;

    // The system's process listing with every CPU share read as 0.0, so that
    // only prefix writes decide how busy Wine looks.
    static ToolCommand idleListing();

private:
    QString m_runtime;
};
