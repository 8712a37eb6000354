#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>

// Follows a SteamCMD download running in a terminal window, from outside:
// once per interval it reads SteamCMD's app manifest for progress, then the
// result file the script leaves. The watch ends with SteamCMD's status, or,
// when the script is gone without leaving one, with 0 if the game is
// complete and -1 if it is not (the window was closed). Destroying the watch
// cancels it; the terminal and SteamCMD in it are never touched.
class SteamTerminalWatch final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SteamTerminalWatch)

public:
    SteamTerminalWatch(QString scriptFile, QString resultFile, QString gameFolder, std::chrono::milliseconds interval,
                       QObject *parent = nullptr);

    // The first look comes one interval from now.
    void start();

signals:
    // The manifest's fraction at one look; it may be lower than an earlier one.
    void manifestRead(double fraction);
    void finished(qint32 status);

private:
    void poll();

    QString m_scriptFile;
    QString m_resultFile;
    QString m_gameFolder;
    // A timer of the watch's own rather than a coroutine's sleep: destroying
    // the watch stops it at once, where a suspended coroutine would live on
    // until its sleep ended.
    QTimer m_timer;
};
