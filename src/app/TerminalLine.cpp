#include "app/TerminalLine.h"

#include "app/PrintableText.h"

#include <QIODevice>

namespace {

constexpr int barWidth = 24;

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
    // Back to the start, the new text, and the rest of the old one erased.
    m_out.write("\r" + text.toUtf8() + "\033[K");
    m_open = true;
}

void TerminalLine::close()
{
    if (!m_open)
        return;
    m_out.write("\n");
    m_open = false;
}
