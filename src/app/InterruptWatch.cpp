#include "app/InterruptWatch.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>

namespace {

// A signal handler may only write to a descriptor: the event loop reads it.
volatile sig_atomic_t writeEnd = -1;

void notify(int number)
{
    const char byte = static_cast<char>(number);
    [[maybe_unused]] const ssize_t written = ::write(writeEnd, &byte, 1);
}

} // namespace

InterruptWatch::InterruptWatch(QObject *parent)
    : QObject(parent)
{
    if (::pipe(m_pipe) != 0)
        return;
    for (const int end : m_pipe)
        ::fcntl(end, F_SETFL, ::fcntl(end, F_GETFL) | O_NONBLOCK);
    writeEnd = m_pipe[1];
    m_notifier = new QSocketNotifier(m_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &InterruptWatch::drain);
    struct sigaction action = {};
    action.sa_handler = notify;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t index = 0; index < watched.size(); ++index)
        ::sigaction(watched[index], &action, &m_previous[index]);
}

InterruptWatch::~InterruptWatch()
{
    if (!m_notifier)
        return;
    for (std::size_t index = 0; index < watched.size(); ++index)
        ::sigaction(watched[index], &m_previous[index], nullptr);
    writeEnd = -1;
    delete m_notifier;
    ::close(m_pipe[0]);
    ::close(m_pipe[1]);
}

void InterruptWatch::drain()
{
    char number = 0;
    while (::read(m_pipe[0], &number, 1) > 0) {
    }
    Q_EMIT interrupted(number);
}
