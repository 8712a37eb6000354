#pragma once

#include "base/AntiCheatPins.h"
#include "client/ReleaseManifest.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QUrl>

// The online client's portable package as a release publishes it: a zip
// whose launcher sits in a top-level folder, with the anti-cheat installer
// and settings, the production executable and the two user-data folders.
namespace ClientArchive {

// Anti-cheat identifiers of the tests' own, in place of the real ones.
AntiCheatPins testPins();

// Anti-cheat settings holding these values, as the package brings them.
QByteArray eacSettings(const EACSettingsValues &values);

// The package's files by their path inside the archive; a test drops or
// changes entries before zipping them.
QMap<QString, QByteArray> packageFiles();
QByteArray zip(const QMap<QString, QByteArray> &files);
// The manifest of a release: the archive's true size and digest.
ReleaseManifest manifestFor(const QByteArray &archive, const QUrl &downloadURL,
                            const QString &version = QStringLiteral("1.2"));

} // namespace ClientArchive
