#include "FuzzRequire.h"
#include "content/MapProfile.h"

#include <QJsonDocument>
#include <QJsonObject>

// The online client's settings are the player's file. Switching the data
// patch on must give an object with the switch on that keeps every other
// setting an object held, at either level.
FUZZ_TARGET(bytes)
{
    const QJsonObject before = QJsonDocument::fromJson(bytes).object();
    const QJsonDocument written = QJsonDocument::fromJson(withCommunityDataPatch(bytes));
    FUZZ_REQUIRE(written.isObject());
    QJsonObject after = written.object();
    QJsonObject packs = after.take(QStringLiteral("data_packs")).toObject();
    FUZZ_REQUIRE(packs.take(QStringLiteral("use_community_data_patch")) == QJsonValue(true));
    QJsonObject kept = before;
    QJsonObject keptPacks = kept.take(QStringLiteral("data_packs")).toObject();
    keptPacks.remove(QStringLiteral("use_community_data_patch"));
    FUZZ_REQUIRE(after == kept);
    FUZZ_REQUIRE(packs == keptPacks);
}
