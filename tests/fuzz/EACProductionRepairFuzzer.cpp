#include "FuzzRequire.h"
#include "client/EACLaunchConfiguration.h"
#include "content/TransferErrors.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

// The seeds hold these test values, so the rewrite is reached from the start.
const AntiCheatPins pins{
    .testEnvironment = {QStringLiteral("VelmoraZH_TestEnvironment.exe"), QString(32, u'1'), QString(32, u'2'),
                        QString(32, u'3')},
    .production = {QStringLiteral("VelmoraZH_60.exe"), QString(32, u'a'), QString(32, u'b'), QString(32, u'c')},
    .productionExecutableSha256 = QString(64, u'e'),
};

const QStringList decidingKeys{QStringLiteral("executable"), QStringLiteral("productid"), QStringLiteral("sandboxid"),
                               QStringLiteral("deploymentid")};

} // namespace

// The settings file ships with the client and may have been edited by hand;
// a rewrite must keep everything but the four values it is there to change.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        FUZZ_REQUIRE(!EACLaunchConfiguration::productionRepair(bytes, std::nullopt, pins));
        const std::optional<QByteArray> repaired =
            EACLaunchConfiguration::productionRepair(bytes, pins.productionExecutableSha256, pins);
        if (!repaired)
            return 0;
        const QJsonObject original = QJsonDocument::fromJson(bytes).object();
        const QJsonDocument document = QJsonDocument::fromJson(*repaired);
        FUZZ_REQUIRE(document.isObject());
        const QJsonObject rewritten = document.object();
        FUZZ_REQUIRE(rewritten.keys() == original.keys());
        for (const QString &key : original.keys()) {
            if (!decidingKeys.contains(key))
                FUZZ_REQUIRE(rewritten.value(key) == original.value(key));
        }
        const EACSettingsValues &production = pins.production;
        FUZZ_REQUIRE(rewritten.value(QStringLiteral("executable")) == production.executable);
        FUZZ_REQUIRE(rewritten.value(QStringLiteral("sandboxid")) == production.sandboxID);
        FUZZ_REQUIRE(rewritten.value(QStringLiteral("deploymentid")) == production.deploymentID);
        FUZZ_REQUIRE(EACLaunchConfiguration::productID(*repaired) == production.productID);
        // A second preparation must find nothing left to change.
        FUZZ_REQUIRE(!EACLaunchConfiguration::productionRepair(*repaired, pins.productionExecutableSha256, pins));
    } catch (const EACSettingsSyntaxError &) {
    } catch (const CorruptFileError &) {
    }
    return 0;
}
