#include "client/EACLaunchConfiguration.h"

#include "content/TransferErrors.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace {

const QString executableKey = QStringLiteral("executable");
const QString productIDKey = QStringLiteral("productid");
const QString sandboxIDKey = QStringLiteral("sandboxid");
const QString deploymentIDKey = QStringLiteral("deploymentid");

QJsonObject settingsObject(const QByteArray &settings)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(settings, &error);
    if (error.error != QJsonParseError::NoError)
        throw EACSettingsSyntaxError();
    if (!document.isObject())
        throw CorruptFileError();
    return document.object();
}

bool holds(const QJsonObject &object, const QString &key, const QString &expected)
{
    const QJsonValue value = object.value(key);
    return value.isString() && value.toString() == expected;
}

bool isHexDigit(char16_t character)
{
    return (character >= u'0' && character <= u'9') || (character >= u'a' && character <= u'f')
           || (character >= u'A' && character <= u'F');
}

} // namespace

namespace EACLaunchConfiguration {

std::optional<QByteArray> productionRepair(const QByteArray &settings, const std::optional<QString> &executableSha256,
                                           const AntiCheatPins &pins)
{
    QJsonObject object = settingsObject(settings);
    const EACSettingsValues &test = pins.testEnvironment;
    if (!holds(object, executableKey, test.executable) || !holds(object, productIDKey, test.productID)
        || !holds(object, sandboxIDKey, test.sandboxID) || !holds(object, deploymentIDKey, test.deploymentID))
        return std::nullopt;
    // Only the production build may be pointed at production: any other
    // executable keeps the test settings it was shipped with.
    if (!executableSha256 || *executableSha256 != pins.productionExecutableSha256)
        return std::nullopt;
    const EACSettingsValues &production = pins.production;
    object.insert(executableKey, production.executable);
    object.insert(productIDKey, production.productID);
    object.insert(sandboxIDKey, production.sandboxID);
    object.insert(deploymentIDKey, production.deploymentID);
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

QString productID(const QByteArray &settings)
{
    const QJsonValue value = settingsObject(settings).value(productIDKey);
    const QString id = value.toString();
    // Every hexadecimal digit is one UTF-8 byte, so 32 of them are 32 bytes.
    if (!value.isString() || id.size() != 32
        || !std::all_of(id.cbegin(), id.cend(), [](QChar character) { return isHexDigit(character.unicode()); }))
        throw CorruptFileError();
    return id;
}

} // namespace EACLaunchConfiguration
