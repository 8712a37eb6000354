#include "FuzzRequire.h"
#include "maps/MapLibraryScan.h"

#include <QJsonArray>
#include <QJsonDocument>

// The list is written by the community content installer, but a user or a
// crash can leave anything in it.
FUZZ_TARGET(bytes)
{
    const QSet<QString> names = decodeManagedMapNames(bytes);
    if (names.isEmpty())
        return;
    // Names are only trusted from an array made of strings alone, and come
    // back lowercased so folder names match whatever their case.
    const QJsonDocument document = QJsonDocument::fromJson(bytes);
    FUZZ_REQUIRE(document.isArray());
    QSet<QString> listed;
    for (const QJsonValue value : document.array()) {
        FUZZ_REQUIRE(value.isString());
        listed.insert(value.toString().toLower());
    }
    FUZZ_REQUIRE(names == listed);
}
