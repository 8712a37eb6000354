#pragma once

#include <QString>

#include <optional>

class QIODevice;

// The activity, then the percentage and a bar when the progress is known,
// then the detail: what a busy overlay shows, on one line.
QString progressLine(const QString &activity, std::optional<double> progress, const std::optional<QString> &detail);

// One line of the terminal on standard output, redrawn in place until it
// is closed, and cut to the terminal's width.
class TerminalLine final
{
public:
    explicit TerminalLine(QIODevice &out)
        : m_out(out)
    {}

    bool isOpen() const { return m_open; }
    void draw(const QString &text);
    // Ends the line, so that whatever follows starts on a line of its own.
    void close();

private:
    QIODevice &m_out;
    bool m_open = false;
};
