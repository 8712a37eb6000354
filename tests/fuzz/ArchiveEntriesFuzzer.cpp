#include "FuzzRequire.h"
#include "base/ArchiveEntries.h"

// An archive's listing comes with a downloaded archive. Whatever it names,
// a listing that passes must only hold entries that land inside the folder
// they are unpacked into, read as unzip reads them.
FUZZ_TARGET(bytes)
{
    const QString listing = QString::fromUtf8(bytes);
    if (!archiveEntriesStayInside(listing))
        return;
    for (QString entry : listing.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        FUZZ_REQUIRE(landsInside(QStringLiteral("/staging"), entry.replace(QLatin1Char('\\'), QLatin1Char('/'))));
}
