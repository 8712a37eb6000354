// macOS declares memset_s, which the compiler may not optimise away, only
// when asked to before the first include.
#ifdef __APPLE__
#define __STDC_WANT_LIB_EXT1__ 1
#endif

#include "process/SecretInputPipe.h"

#include <QStringEncoder>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <pthread.h>
#include <unistd.h>

namespace {

void clearMemory(void *data, size_t size)
{
#ifdef __APPLE__
    memset_s(data, size, 0, size);
#else
    explicit_bzero(data, size);
#endif
}

// Bytes that are cleared before they are freed, however the scope is left.
class ClearedBytes final
{
    Q_DISABLE_COPY_MOVE(ClearedBytes)

public:
    explicit ClearedBytes(qsizetype size)
        : m_size(size_t(size))
        , m_data(std::make_unique<char[]>(m_size))
    {}
    ~ClearedBytes() { clearMemory(m_data.get(), m_size); }

    char *data() { return m_data.get(); }

private:
    size_t m_size;
    std::unique_ptr<char[]> m_data;
};

// A string wiped however the scope is left.
struct WipedOnExit
{
    QString &value;
    ~WipedOnExit() { wipeSecret(value); }
};

#ifndef __APPLE__
// Holds back the SIGPIPE a write to a pipe without a reader raises, and
// consumes it, so it neither ends Tarnhold nor reaches it later. macOS
// turns the signal off on the pipe itself instead.
class PipeSignalHeldBack final
{
    Q_DISABLE_COPY_MOVE(PipeSignalHeldBack)

public:
    PipeSignalHeldBack()
    {
        sigemptyset(&m_pipeSignal);
        sigaddset(&m_pipeSignal, SIGPIPE);
        sigset_t pending;
        sigpending(&pending);
        m_wasPending = sigismember(&pending, SIGPIPE) == 1;
        pthread_sigmask(SIG_BLOCK, &m_pipeSignal, &m_previousMask);
    }
    ~PipeSignalHeldBack()
    {
        const int savedErrno = errno;
        if (!m_wasPending) {
            const timespec noWait{};
            while (sigtimedwait(&m_pipeSignal, nullptr, &noWait) == -1 && errno == EINTR) {
            }
        }
        pthread_sigmask(SIG_SETMASK, &m_previousMask, nullptr);
        errno = savedErrno;
    }

private:
    sigset_t m_pipeSignal;
    sigset_t m_previousMask;
    bool m_wasPending = false;
};
#endif

// 0, or the errno of the write that failed.
int writeAll(int descriptor, const char *data, size_t size)
{
#ifndef __APPLE__
    const PipeSignalHeldBack heldBack;
#endif
    while (size > 0) {
        const ssize_t written = ::write(descriptor, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += written;
        size -= size_t(written);
    }
    return 0;
}

bool makePipe(int ends[2])
{
#ifdef __APPLE__
    // macOS has no pipe2. Children are started on the GUI thread only, so
    // none can be forked between the two calls.
    if (::pipe(ends) != 0)
        return false;
    ::fcntl(ends[0], F_SETFD, FD_CLOEXEC);
    ::fcntl(ends[1], F_SETFD, FD_CLOEXEC);
    ::fcntl(ends[1], F_SETNOSIGPIPE, 1);
    return true;
#else
    return ::pipe2(ends, O_CLOEXEC) == 0;
#endif
}

void closeDescriptor(int &descriptor)
{
    if (descriptor >= 0)
        ::close(descriptor);
    descriptor = -1;
}

} // namespace

SecretInputPipe::~SecretInputPipe()
{
    close();
}

std::optional<QString> SecretInputPipe::open()
{
    close();
    int ends[2];
    if (!makePipe(ends))
        return qt_error_string(errno);
    m_readingEnd = ends[0];
    m_writingEnd = ends[1];
    return std::nullopt;
}

void SecretInputPipe::closeReadingEnd()
{
    closeDescriptor(m_readingEnd);
}

void SecretInputPipe::close()
{
    closeDescriptor(m_readingEnd);
    closeDescriptor(m_writingEnd);
}

std::optional<QString> SecretInputPipe::writeLine(QString value)
{
    const WipedOnExit wiped{value};
    // Stateless: the encoder keeps no part of the value between calls.
    QStringEncoder encoder(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    ClearedBytes bytes(encoder.requiredSpace(value.size()) + 1);
    char *end = encoder.appendToBuffer(bytes.data(), value);
    *end++ = '\n';
    if (const int error = writeAll(m_writingEnd, bytes.data(), size_t(end - bytes.data())))
        return qt_error_string(error);
    return std::nullopt;
}

void wipeSecret(QString &value)
{
    if (value.isDetached()) {
        QString::DataPointer &characters = value.data_ptr();
        char16_t *first = characters.data() - characters.freeSpaceAtBegin();
        const qsizetype allocated = characters.freeSpaceAtBegin() + characters.size + characters.freeSpaceAtEnd();
        clearMemory(first, size_t(allocated) * sizeof(char16_t));
    }
    value = QString();
}
