#include "app/TerminalInput.h"

#include <QIODevice>

#include <algorithm>
#include <termios.h>
#include <unistd.h>

namespace {

void wipe(QByteArray &bytes)
{
    std::fill(bytes.begin(), bytes.end(), '\0');
}

} // namespace

TerminalInput::TerminalInput(int descriptor, QIODevice &prompts, QObject *parent)
    : QObject(parent)
    , m_descriptor(descriptor)
    , m_prompts(prompts)
    , m_notifier(descriptor, QSocketNotifier::Read)
{
    m_notifier.setEnabled(false);
    connect(&m_notifier, &QSocketNotifier::activated, this, &TerminalInput::readAvailable);
}

TerminalInput::~TerminalInput()
{
    cancelRequest();
    wipe(m_buffer);
}

void TerminalInput::requestLine(const QString &prompt, bool secret)
{
    m_secret = secret;
    m_waiting = true;
    if (secret)
        setEcho(false);
    m_prompts.write(prompt.toUtf8());
    // A line typed ahead, or piped in with others, is already here.
    if (m_buffer.contains('\n') || m_ended)
        deliverLine();
    else
        m_notifier.setEnabled(true);
}

void TerminalInput::cancelRequest()
{
    if (!m_waiting)
        return;
    m_waiting = false;
    m_notifier.setEnabled(false);
    setEcho(true);
    m_prompts.write("\n");
}

QString TerminalInput::takeLine()
{
    return std::exchange(m_line, QString());
}

void TerminalInput::readAvailable()
{
    char chunk[4096];
    const ssize_t count = ::read(m_descriptor, chunk, sizeof chunk);
    if (count > 0)
        m_buffer.append(chunk, count);
    else if (count == 0 || errno != EAGAIN)
        m_ended = true;
    std::fill(std::begin(chunk), std::end(chunk), '\0');
    if (m_buffer.contains('\n') || m_ended)
        deliverLine();
}

void TerminalInput::deliverLine()
{
    m_notifier.setEnabled(false);
    m_waiting = false;
    const bool secret = m_secret;
    setEcho(true);
    // Neither an Enter typed without echo nor the end of the input moved
    // the prompt's line on.
    if (secret || m_ended)
        m_prompts.write("\n");
    // At the end of the input, what is left is the last line.
    const qsizetype end = m_buffer.contains('\n') ? m_buffer.indexOf('\n') : m_buffer.size();
    if (end == 0 && m_buffer.isEmpty()) {
        Q_EMIT inputEnded();
        return;
    }
    QByteArray line = m_buffer.left(end);
    if (line.endsWith('\r'))
        line.chop(1);
    const qsizetype consumed = std::min(end + 1, m_buffer.size());
    std::fill(m_buffer.begin(), m_buffer.begin() + consumed, '\0');
    m_buffer.remove(0, consumed);
    m_line = QString::fromUtf8(line);
    wipe(line);
    Q_EMIT lineEntered();
}

void TerminalInput::setEcho(bool on)
{
    termios settings{};
    if (on == !m_echoOff || ::tcgetattr(m_descriptor, &settings) != 0)
        return;
    if (on)
        settings.c_lflag |= ECHO;
    else
        settings.c_lflag &= ~tcflag_t(ECHO);
    if (::tcsetattr(m_descriptor, TCSANOW, &settings) == 0)
        m_echoOff = !on;
}
