#pragma once

#include "process/SecretInputPipe.h"

#include <QObject>
#include <QPointer>
#include <QProcessEnvironment>
#include <QStringDecoder>
#include <QStringList>

#include <optional>

class QProcess;

// One SteamCMD child: its console output decoded in arrival order, its
// standard input a pipe of Tarnhold's own that credentials are written to,
// and its end. Destroying it stops listening to the child, closes its input
// and asks it to end.
class SteamCmdProcess final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SteamCmdProcess)

public:
    explicit SteamCmdProcess(QObject *parent = nullptr);
    // A child still running gets SIGTERM, with its own children, and is
    // reaped once it ends: QProcess's destructor would block the GUI thread
    // until then.
    ~SteamCmdProcess() override;

    // Reports a child that cannot start through failedToStart, at once or
    // from the event loop.
    void start(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment,
               const QString &workingFolder);
    // See SecretInputPipe::writeLine.
    std::optional<QString> writeLine(QString value);

Q_SIGNALS:
    // Standard output and error together; a character cut between two reads
    // arrives whole with the later one.
    void output(const QString &text);
    void failedToStart(const QString &description);
    // Everything the child wrote has been delivered by then. A child ended
    // by a signal reports the signal's number, as the system does.
    void finished(int status);

private:
    void readOutput();

    // Guarded: it deletes itself once its child has ended or failed to start.
    QPointer<QProcess> m_process;
    QStringDecoder m_decoder{QStringDecoder::Utf8};
    SecretInputPipe m_input;
};
