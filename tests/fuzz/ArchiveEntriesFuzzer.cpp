#include "FuzzRequire.h"
#include "base/ArchiveEntries.h"

#include <QDir>

// An archive's listing comes with a downloaded archive. Whatever it names,
// a listing that passes must only hold entries that land inside the folder
// they are unpacked into, read as unzip reads them.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString listing = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    if (!archiveEntriesStayInside(listing))
        return 0;
    const QString folder = QStringLiteral("/staging");
    for (QString entry : listing.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QString landing =
            QDir::cleanPath(folder + QLatin1Char('/') + entry.replace(QLatin1Char('\\'), QLatin1Char('/')));
        FUZZ_REQUIRE(landing == folder || landing.startsWith(folder + QLatin1Char('/')));
    }
    return 0;
}
