#include "setup/SteamCmdProcess.h"

#include <QCoreApplication>
#include <QProcess>

#include <csignal>
#include <unistd.h>

SteamCmdProcess::SteamCmdProcess(QObject *parent)
    : QObject(parent)
    // Owned by the application rather than by this object, which it may
    // outlive: it deletes itself once its child has ended, and one still
    // running when Tarnhold quits goes with the application.
    , m_process(new QProcess(QCoreApplication::instance()))
{
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    // So QProcess makes no input pipe of its own; the child modifier puts
    // the secret pipe in place of the null device.
    m_process->setStandardInputFile(QProcess::nullDevice());
    connect(m_process, &QProcess::finished, m_process, &QObject::deleteLater);
    connect(m_process, &QProcess::errorOccurred, m_process, [process = m_process.data()](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            process->deleteLater();
    });
    connect(m_process, &QProcess::readyReadStandardOutput, this, &SteamCmdProcess::readOutput);
    connect(m_process, &QProcess::finished, this, [this](int status) {
        readOutput();
        Q_EMIT finished(status);
    });
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            Q_EMIT failedToStart(m_process->errorString());
    });
}

SteamCmdProcess::~SteamCmdProcess()
{
    m_input.close();
    if (!m_process)
        return;
    disconnect(m_process, nullptr, this, nullptr);
    if (m_process->state() == QProcess::NotRunning) {
        m_process->deleteLater();
        return;
    }
    // steamcmd.sh runs the real SteamCMD as its own child, which a signal
    // to the script alone would leave downloading.
    if (const qint64 group = m_process->processId(); group > 0)
        ::kill(pid_t(-group), SIGTERM);
    // Keep discarding what the child still writes, so it never blocks on a
    // full pipe and Qt's read buffer does not grow for as long as it lives.
    QProcess *process = m_process;
    connect(process, &QProcess::readyReadStandardOutput, process, [process] { process->readAll(); });
    process->readAll();
}

void SteamCmdProcess::start(const QString &program, const QStringList &arguments,
                            const QProcessEnvironment &environment, const QString &workingFolder)
{
    if (const std::optional<QString> failure = m_input.open()) {
        Q_EMIT failedToStart(*failure);
        return;
    }
    m_process->setProcessEnvironment(environment);
    m_process->setWorkingDirectory(workingFolder);
    // Runs in the forked child, where only async-signal-safe calls belong.
    // A process group of its own lets the end reach SteamCMD's children.
    m_process->setChildProcessModifier([input = m_input.readingEnd()] {
        ::setpgid(0, 0);
        ::dup2(input, STDIN_FILENO);
    });
    // A failed start may be reported at once, and the listener may then
    // destroy this object.
    const QPointer<SteamCmdProcess> self(this);
    m_process->start(program, arguments);
    if (self)
        m_input.closeReadingEnd();
}

std::optional<QString> SteamCmdProcess::writeLine(QString value)
{
    return m_input.writeLine(std::move(value));
}

void SteamCmdProcess::readOutput()
{
    const QString text = m_decoder.decode(m_process->readAll());
    if (!text.isEmpty())
        Q_EMIT output(text);
}
