#include "app/TerminalLine.h"

#include "app/PrintableText.h"

#include <QIODevice>

#include <sys/ioctl.h>
#include <unistd.h>

namespace {

constexpr int barWidth = 24;

// The width of the terminal on standard output, asked at each draw so that
// a resized window is followed; 0 when there is none.
int terminalColumns()
{
    winsize size{};
    return ::ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 ? size.ws_col : 0;
}

} // namespace

QString progressLine(const QString &activity, std::optional<double> progress, const std::optional<QString> &detail)
{
    QString line = printable(activity);
    if (progress) {
        const int percent = qBound(0, qRound(*progress * 100), 100);
        const int filled = percent * barWidth / 100;
        line +=
            QStringLiteral(" %1% [%2%3]").arg(percent, 3).arg(QString(filled, u'#'), QString(barWidth - filled, u'-'));
    }
    if (detail)
        line += QStringLiteral(" · ") + printable(*detail);
    return line;
}

void TerminalLine::draw(const QString &text)
{
    // A line that wrapped could no longer be drawn over; the last column
    // stays free, since writing into it wraps on some terminals.
    const int columns = terminalColumns();
    const QString fitted = columns > 1 && text.size() >= columns ? text.left(columns - 2) + u'…' : text;
    // Back to the start, the new text, and the rest of the old one erased.
    m_out.write("\r" + fitted.toUtf8() + "\033[K");
    m_open = true;
}

void TerminalLine::close()
{
    if (!m_open)
        return;
    m_out.write("\n");
    m_open = false;
}
