#pragma once

#include <QString>

#include <optional>

// A child's standard input as a pipe of Tarnhold's own, for secrets:
// QProcess::write would leave a copy of them in a buffer that is freed
// without being cleared. Both ends close on exec, so no other child
// inherits them; the child's start makes the reading end its standard
// input.
class SecretInputPipe final
{
    Q_DISABLE_COPY_MOVE(SecretInputPipe)

public:
    SecretInputPipe() = default;
    ~SecretInputPipe();

    // The system's reason when the pipe cannot be made.
    std::optional<QString> open();
    // For a child process modifier, which runs in the forked child: dup2 is
    // all it may call there.
    int readingEnd() const { return m_readingEnd; }
    // Once the child is started it holds its own copy.
    void closeReadingEnd();
    void close();

    // Writes value in UTF-8 and a line feed, blocking only while the pipe
    // is full, and then clears every byte that held it, value's own
    // characters included. A child that has gone is a failure, never a
    // SIGPIPE for Tarnhold. Returns the failure's description.
    std::optional<QString> writeLine(QString value);

private:
    int m_readingEnd = -1;
    int m_writingEnd = -1;
};

// Overwrites a string's characters with zeros, unless another string
// shares them, and empties it.
void wipeSecret(QString &value);
