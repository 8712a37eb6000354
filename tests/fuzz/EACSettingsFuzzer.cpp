#include "FuzzRequire.h"
#include "base/UserFacingError.h"
#include "client/EACLaunchConfiguration.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace {

// The seeds hold these test values, so the rewrite is reached from the start.
const AntiCheatPins pins{
    .testEnvironment = {QStringLiteral("VelmoraZH_TestEnvironment.exe"), QString(32, u'1'), QString(32, u'2'),
                        QString(32, u'3')},
    .production = {QStringLiteral("VelmoraZH_60.exe"), QString(32, u'a'), QString(32, u'b'), QString(32, u'c')},
    .productionExecutableSha256 = QString(64, u'e'),
};

// The product id goes on the installer's command line: only the settings'
// own 32 hexadecimal digits may come out.
void checkProductID(const QByteArray &bytes)
{
    const QString id = EACLaunchConfiguration::productID(bytes);
    FUZZ_REQUIRE(id.toUtf8().size() == 32 && !id.contains(QRegularExpression(QStringLiteral("[^0-9a-fA-F]"))));
    FUZZ_REQUIRE(QJsonDocument::fromJson(bytes).object().value(QStringLiteral("productid")) == id);
}

// The settings file ships with the client and may have been edited by hand;
// a rewrite must keep everything but the four values it is there to change.
void checkProductionRepair(const QByteArray &bytes)
{
    FUZZ_REQUIRE(!EACLaunchConfiguration::productionRepair(bytes, std::nullopt, pins));
    const std::optional<QByteArray> repaired =
        EACLaunchConfiguration::productionRepair(bytes, pins.productionExecutableSha256, pins);
    if (!repaired)
        return;
    const QJsonDocument document = QJsonDocument::fromJson(*repaired);
    FUZZ_REQUIRE(document.isObject());
    QJsonObject expected = QJsonDocument::fromJson(bytes).object();
    const qsizetype keyCount = expected.size();
    expected[QStringLiteral("executable")] = pins.production.executable;
    expected[QStringLiteral("productid")] = pins.production.productID;
    expected[QStringLiteral("sandboxid")] = pins.production.sandboxID;
    expected[QStringLiteral("deploymentid")] = pins.production.deploymentID;
    FUZZ_REQUIRE(expected.size() == keyCount && document.object() == expected);
    FUZZ_REQUIRE(EACLaunchConfiguration::productID(*repaired) == pins.production.productID);
    // A second preparation must find nothing left to change.
    FUZZ_REQUIRE(!EACLaunchConfiguration::productionRepair(*repaired, pins.productionExecutableSha256, pins));
}

} // namespace

// Either check may refuse the input in the user's words; the other still runs.
FUZZ_TARGET(bytes)
{
    for (const auto check : {checkProductID, checkProductionRepair}) {
        try {
            check(bytes);
        } catch (const UserFacingError &) {
        }
    }
}
