#pragma once

#include <QString>

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
