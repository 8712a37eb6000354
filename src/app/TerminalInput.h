#pragma once

#include <QByteArray>
#include <QObject>
#include <QSocketNotifier>
#include <QString>

#include <optional>

class QIODevice;

// Lines typed on standard input, read without stopping the event loop, so a
// SteamCMD run goes on being heard while the user types. A secret line is
// typed with the terminal's echo off, and every byte that held it is
// overwritten once it has been handed on.
class TerminalInput final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TerminalInput)

public:
    // The prompt goes to prompts, which is standard error in the command.
    TerminalInput(int descriptor, QIODevice &prompts, QObject *parent = nullptr);
    ~TerminalInput() override;

    // Shows prompt and waits for a line; lineEntered or inputEnded follows.
    void requestLine(const QString &prompt, bool secret);
    // Gives up waiting, as when the question no longer stands.
    void cancelRequest();
    bool isWaiting() const { return m_waiting; }
    // The line entered, moved out; the caller clears a secret after use.
    QString takeLine();

Q_SIGNALS:
    void lineEntered();
    // Standard input ended before a line was complete.
    void inputEnded();

private:
    void readAvailable();
    void deliverLine();
    void setEcho(bool on);

    int m_descriptor;
    QIODevice &m_prompts;
    QSocketNotifier m_notifier;
    QByteArray m_buffer;
    QString m_line;
    bool m_waiting = false;
    bool m_secret = false;
    bool m_ended = false;
    bool m_echoOff = false;
};
