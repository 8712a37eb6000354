#include "base/InstalledState.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QJsonValue>

#include <cmath>

namespace {

// Reads one optional field; returns false when the value has the wrong type,
// which rejects the whole record.
template <typename T, typename Convert>
bool readOptional(const QJsonObject &object, QLatin1StringView key, std::optional<T> &field, Convert convert)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined() || value.isNull()) {
        field.reset();
        return true;
    }
    field = convert(value);
    return field.has_value();
}

std::optional<QString> asString(const QJsonValue &value)
{
    return value.isString() ? std::optional(value.toString()) : std::nullopt;
}

std::optional<bool> asBool(const QJsonValue &value)
{
    return value.isBool() ? std::optional(value.toBool()) : std::nullopt;
}

std::optional<double> asDouble(const QJsonValue &value)
{
    return value.isDouble() ? std::optional(value.toDouble()) : std::nullopt;
}

// Only numbers that are whole and fit a 64-bit integer count as integers.
std::optional<qint64> asInteger(const QJsonValue &value)
{
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    constexpr double limit = 9223372036854775808.0; // 2^63
    if (std::trunc(number) != number || number < -limit || number >= limit)
        return std::nullopt;
    return static_cast<qint64>(number);
}

template <typename T>
void writeOptional(QJsonObject &object, QLatin1StringView key, const std::optional<T> &field)
{
    if (field)
        object.insert(key, QJsonValue(*field));
}

} // namespace

double recordDateNow()
{
    // Record dates count seconds from 2001-01-01 00:00:00 UTC.
    constexpr double referenceDateOffset = 978307200.0;
    return static_cast<double>(QDateTime::currentMSecsSinceEpoch()) / 1000.0 - referenceDateOffset;
}

QJsonObject toJsonObject(const InstalledState &state)
{
    QJsonObject object;
    writeOptional(object, QLatin1StringView("velmoraVersion"), state.velmoraVersion);
    object.insert(QLatin1StringView("runtimeVersion"), state.runtimeVersion);
    writeOptional(object, QLatin1StringView("lastCheckedAt"), state.lastCheckedAt);
    writeOptional(object, QLatin1StringView("lifecycleIsolationEnabled"), state.lifecycleIsolationEnabled);
    writeOptional(object, QLatin1StringView("preservedLegacyVersion"), state.preservedLegacyVersion);
    writeOptional(object, QLatin1StringView("controlBarVersion"), state.controlBarVersion);
    writeOptional(object, QLatin1StringView("controlBarRevision"), state.controlBarRevision);
    writeOptional(object, QLatin1StringView("controlBarResolution"), state.controlBarResolution);
    writeOptional(object, QLatin1StringView("genToolVersion"), state.genToolVersion);
    writeOptional(object, QLatin1StringView("rankedMapsRevision"), state.rankedMapsRevision);
    writeOptional(object, QLatin1StringView("rankedMapCount"), state.rankedMapCount);
    writeOptional(object, QLatin1StringView("includeCommunityThreePlayerMaps"), state.includeCommunityThreePlayerMaps);
    return object;
}

QByteArray encodeInstalledState(const InstalledState &state)
{
    // QJsonObject keeps its keys sorted, which is the order the file wants.
    return QJsonDocument(toJsonObject(state)).toJson(QJsonDocument::Indented);
}

std::optional<InstalledState> decodeInstalledState(const QByteArray &bytes)
{
    const QJsonDocument document = QJsonDocument::fromJson(bytes);
    if (!document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();

    InstalledState state;
    const QJsonValue runtimeVersion = object.value(QLatin1StringView("runtimeVersion"));
    if (!runtimeVersion.isString())
        return std::nullopt;
    state.runtimeVersion = runtimeVersion.toString();

    const bool wellTyped =
        readOptional(object, QLatin1StringView("velmoraVersion"), state.velmoraVersion, asString)
        && readOptional(object, QLatin1StringView("lastCheckedAt"), state.lastCheckedAt, asDouble)
        && readOptional(object, QLatin1StringView("lifecycleIsolationEnabled"), state.lifecycleIsolationEnabled, asBool)
        && readOptional(object, QLatin1StringView("preservedLegacyVersion"), state.preservedLegacyVersion, asString)
        && readOptional(object, QLatin1StringView("controlBarVersion"), state.controlBarVersion, asString)
        && readOptional(object, QLatin1StringView("controlBarRevision"), state.controlBarRevision, asString)
        && readOptional(object, QLatin1StringView("controlBarResolution"), state.controlBarResolution, asString)
        && readOptional(object, QLatin1StringView("genToolVersion"), state.genToolVersion, asString)
        && readOptional(object, QLatin1StringView("rankedMapsRevision"), state.rankedMapsRevision, asString)
        && readOptional(object, QLatin1StringView("rankedMapCount"), state.rankedMapCount, asInteger)
        && readOptional(object, QLatin1StringView("includeCommunityThreePlayerMaps"),
                        state.includeCommunityThreePlayerMaps, asBool);
    if (!wellTyped)
        return std::nullopt;
    return state;
}
