#pragma once

#include "base/AntiCheatPins.h"
#include "base/UserFacingError.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Settings bytes that are not JSON at all.
class EACSettingsSyntaxError final : public UserFacingError
{
public:
    EACSettingsSyntaxError()
        : UserFacingError(QStringLiteral("The anti-cheat settings “EasyAntiCheat/Settings.json” aren’t valid JSON."))
    {}
};

// Reading and correcting the anti-cheat settings file
// ("EasyAntiCheat/Settings.json"): one JSON object whose "executable",
// "productid", "sandboxid" and "deploymentid" pick the environment the client
// starts in.
namespace EACLaunchConfiguration {

// The settings rewritten to the production values, or absent when they are to
// stay: only settings that hold exactly the test environment's four values,
// beside an executable whose digest is the pinned production one, are
// rewritten. Other keys are kept; the result is indented with sorted keys.
// Throws EACSettingsSyntaxError, or CorruptFileError when the JSON is not an
// object.
std::optional<QByteArray> productionRepair(const QByteArray &settings, const std::optional<QString> &executableSha256,
                                           const AntiCheatPins &pins);

// The "productid" to install: exactly 32 hexadecimal digits, in either case,
// returned as written. Throws EACSettingsSyntaxError, or CorruptFileError for
// anything else.
QString productID(const QByteArray &settings);

} // namespace EACLaunchConfiguration
