#include "FuzzRequire.h"
#include "base/ArchiveEntries.h"

#include <QDir>

// An archive's listing comes with a downloaded archive. Whatever it names,
// a listing that passes must only hold entries that land inside the folder
// they are unpacked into, read as unzip reads them.
FUZZ_TARGET(bytes)
{
    const QString listing = QString::fromUtf8(bytes);
    if (!archiveEntriesStayInside(listing))
        return;
    const QString folder = QStringLiteral("/staging");
    for (QString entry : listing.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QString landing =
            QDir::cleanPath(folder + QLatin1Char('/') + entry.replace(QLatin1Char('\\'), QLatin1Char('/')));
        FUZZ_REQUIRE(landing == folder || landing.startsWith(folder + QLatin1Char('/')));
    }
}
