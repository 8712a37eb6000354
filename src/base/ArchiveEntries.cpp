#include "base/ArchiveEntries.h"

#include <QRegularExpression>

bool archiveEntriesStayInside(const QString &listing)
{
    static const QRegularExpression separator(QStringLiteral("[/\\\\]"));
    for (const QString &entry : listing.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (entry.startsWith(QLatin1Char('/')) || entry.startsWith(QLatin1Char('\\'))
            || entry.split(separator).contains(QStringLiteral("..")))
            return false;
    }
    return true;
}
