#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <optional>

// The persisted installation record ("state.json"). Only runtimeVersion is
// required; every other field is left out of the file while absent.
struct InstalledState
{
    std::optional<QString> velmoraVersion;
    QString runtimeVersion = QStringLiteral("Wine 11.0 SSE2");
    // Seconds since 2001-01-01 00:00:00 UTC, kept exactly as read so a record
    // round-trips unchanged.
    std::optional<double> lastCheckedAt;
    std::optional<bool> lifecycleIsolationEnabled;
    std::optional<QString> preservedLegacyVersion;
    std::optional<QString> controlBarVersion;
    std::optional<QString> controlBarRevision;
    std::optional<QString> controlBarResolution;
    std::optional<QString> genToolVersion;
    std::optional<QString> rankedMapsRevision;
    std::optional<qint64> rankedMapCount;
    std::optional<bool> includeCommunityThreePlayerMaps;

    bool operator==(const InstalledState &) const = default;
};

// The current time as the record writes dates.
double recordDateNow();

QJsonObject toJsonObject(const InstalledState &state);

// The file's bytes: pretty-printed, keys sorted.
QByteArray encodeInstalledState(const InstalledState &state);

// Absent when the bytes are not a JSON object, lack "runtimeVersion", or hold
// a known key with a value of the wrong type. Unknown keys are ignored and a
// null counts as absent.
std::optional<InstalledState> decodeInstalledState(const QByteArray &bytes);
