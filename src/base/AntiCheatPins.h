#pragma once

#include <QString>

// The four values of an anti-cheat settings file that decide which
// environment the client starts in. Identifiers are 32 lowercase
// hexadecimal digits.
struct EACSettingsValues
{
    QString executable;
    QString productID;
    QString sandboxID;
    QString deploymentID;

    bool operator==(const EACSettingsValues &) const = default;
};

// The client's test and production anti-cheat identifiers and the digest of
// its production executable (64 lowercase hexadecimal digits). They are not
// public: release builds set them, and the defaults can never match a real
// client, so a default build leaves every settings file as it is.
struct AntiCheatPins
{
    EACSettingsValues testEnvironment;
    EACSettingsValues production;
    QString productionExecutableSha256;

    bool operator==(const AntiCheatPins &) const = default;
};

AntiCheatPins officialAntiCheatPins();
