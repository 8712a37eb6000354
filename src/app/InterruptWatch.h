#pragma once

#include <QObject>

#include <array>
#include <csignal>

class QSocketNotifier;

// While it lives, Ctrl-C (SIGINT), a closed terminal (SIGHUP) and a request
// to end (SIGTERM) do not end the process at once but become a signal of the
// event loop, so that what is under way can be stopped in order; the
// earlier handling returns afterwards.
class InterruptWatch final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InterruptWatch)

public:
    explicit InterruptWatch(QObject *parent = nullptr);
    ~InterruptWatch() override;

Q_SIGNALS:
    // number: the signal received, for the exit status 128 + number.
    void interrupted(int number);

private:
    void drain();

    static constexpr std::array<int, 3> watched = {SIGINT, SIGHUP, SIGTERM};

    int m_pipe[2] = {-1, -1};
    QSocketNotifier *m_notifier = nullptr;
    std::array<struct sigaction, watched.size()> m_previous = {};
};
