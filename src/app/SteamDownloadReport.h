#pragma once

#include "app/InterruptWatch.h"
#include "app/TerminalLine.h"

#include <QCoroTask>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class OperationState;
class QIODevice;
class SteamDownload;
class TerminalInput;

// The Steam card of the window, on the command line: asks for the account
// name before the run and for the password or Guard code whenever SteamCMD
// asks, shows the run's phase and progress, and ends with the run. Ctrl-C
// stops the run as the card's stop button does, and so does a closed
// terminal; downloaded files stay, and the terminal's echo comes back.
class SteamDownloadReport final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SteamDownloadReport)

public:
    SteamDownloadReport(SteamDownload &steam, OperationState &operation, TerminalInput &input, QIODevice &out,
                        QIODevice &err, bool terminal, QObject *parent = nullptr);
    ~SteamDownloadReport() override;

    // start does what the download step's button does. Resolves with 0 once
    // the game's files are complete, 1 when the run failed, 128 + the
    // signal's number after Ctrl-C or another interruption.
    QCoro::Task<int> follow(std::function<void()> start);

Q_SIGNALS:
    void ended();

private:
    void startRun();
    void show();
    void showRunning();
    void credentialEntered();
    void inputEnded();
    void interrupt(int number);
    void end(int status);

    SteamDownload &m_steam;
    OperationState &m_operation;
    TerminalInput &m_input;
    QIODevice &m_out;
    QIODevice &m_err;
    const bool m_terminal;
    TerminalLine m_line;
    InterruptWatch m_interrupts;
    std::function<void()> m_start;
    bool m_running = false;
    int m_interruption = 0; // the signal that stopped the run
    bool m_approvalShown = false;
    QString m_shownTitle;
    std::optional<int> m_status;
};
