#pragma once

#include "base/UserFacingError.h"

#include <QByteArray>
#include <QString>
#include <QUrl>

// The online client's release record, as read from the update channel.
struct ReleaseManifest
{
    QString version;
    QString downloadURL;
    qint64 size = 0;
    QString releaseNotes;
    QString sha256;

    bool operator==(const ReleaseManifest &) const = default;
};

// A body that is not a release manifest; names the first key at fault.
class ReleaseManifestError final : public UserFacingError
{
public:
    using UserFacingError::UserFacingError;
};

// One JSON object with all five keys of their JSON types; other keys are
// ignored and "sha256" is trimmed. Throws ReleaseManifestError.
ReleaseManifest decodeReleaseManifest(const QByteArray &json);

// Compact JSON with the keys in the channel's own order.
QByteArray encodeReleaseManifest(const ReleaseManifest &manifest);

// The release manifest below a channel's base address.
QUrl manifestURL(const QUrl &channel);
