#pragma once

#include <QObject>

#include <csignal>

class QSocketNotifier;

// While it lives, Ctrl-C (SIGINT) does not end the process but becomes a
// signal of the event loop; the earlier handling returns afterwards.
class InterruptWatch final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InterruptWatch)

public:
    explicit InterruptWatch(QObject *parent = nullptr);
    ~InterruptWatch() override;

Q_SIGNALS:
    void interrupted();

private:
    void drain();

    int m_pipe[2] = {-1, -1};
    QSocketNotifier *m_notifier = nullptr;
    struct sigaction m_previous = {};
};
