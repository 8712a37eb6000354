#include "FuzzRequire.h"
#include "base/CorruptFileError.h"
#include "maps/MapImportChecks.h"

// A map package's listing is the user's file to decide. Whatever it names, a
// listing that passes holds 1 to 5000 entries that all land inside the
// folder they are unpacked into, none in a user's home by "~".
FUZZ_TARGET(bytes)
{
    const QString listing = QString::fromUtf8(bytes);
    try {
        validateZipListing(listing);
    } catch (const CorruptFileError &) {
        return;
    }
    const QStringList entries = listing.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    FUZZ_REQUIRE(!entries.isEmpty() && entries.size() <= 5000);
    for (const QString &entry : entries) {
        FUZZ_REQUIRE(landsInside(QStringLiteral("/import"), entry));
        FUZZ_REQUIRE(!entry.contains(QLatin1Char('\\')) && !entry.startsWith(QLatin1Char('~')));
    }
}
