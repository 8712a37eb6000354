#include "base/AntiCheatPins.h"

AntiCheatPins officialAntiCheatPins()
{
    return {
        .testEnvironment = {QStringLiteral("VelmoraZH_TestEnvironment.exe"),
                            QStringLiteral(TARNHOLD_EAC_TEST_PRODUCT_ID), QStringLiteral(TARNHOLD_EAC_TEST_SANDBOX_ID),
                            QStringLiteral(TARNHOLD_EAC_TEST_DEPLOYMENT_ID)},
        .production = {QStringLiteral("VelmoraZH_60.exe"), QStringLiteral(TARNHOLD_EAC_PRODUCTION_PRODUCT_ID),
                       QStringLiteral(TARNHOLD_EAC_PRODUCTION_SANDBOX_ID),
                       QStringLiteral(TARNHOLD_EAC_PRODUCTION_DEPLOYMENT_ID)},
        .productionExecutableSha256 = QStringLiteral(TARNHOLD_EAC_PRODUCTION_EXECUTABLE_SHA256),
    };
}
