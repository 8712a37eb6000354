#include "client/ReleaseManifest.h"

#include "base/OrderedJsonObject.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

QJsonValue required(const QJsonObject &object, const QString &key)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined() || value.isNull())
        throw ReleaseManifestError(QStringLiteral("The release manifest has no “%1”.").arg(key));
    return value;
}

QString text(const QJsonObject &object, const QString &key)
{
    const QJsonValue value = required(object, key);
    if (!value.isString())
        throw ReleaseManifestError(QStringLiteral("The release manifest’s “%1” is not text.").arg(key));
    return value.toString();
}

qint64 integer(const QJsonObject &object, const QString &key)
{
    const QJsonValue value = required(object, key);
    // toInteger() gives its fallback for a fraction or an out-of-range
    // number, so two different fallbacks agree only on a real integer.
    const qint64 number = value.toInteger(0);
    if (!value.isDouble() || value.toInteger(1) != number)
        throw ReleaseManifestError(QStringLiteral("The release manifest’s “%1” is not a whole number.").arg(key));
    return number;
}

} // namespace

ReleaseManifest decodeReleaseManifest(const QByteArray &json)
{
    const QJsonDocument document = QJsonDocument::fromJson(json);
    if (!document.isObject())
        throw ReleaseManifestError(QStringLiteral("The update channel did not answer with a release manifest."));
    const QJsonObject object = document.object();
    ReleaseManifest manifest;
    // Read in this order, so the first key at fault is the one reported.
    manifest.version = text(object, QStringLiteral("version"));
    manifest.downloadURL = text(object, QStringLiteral("download_url"));
    manifest.size = integer(object, QStringLiteral("size"));
    manifest.releaseNotes = text(object, QStringLiteral("release_notes"));
    manifest.sha256 = text(object, QStringLiteral("sha256")).trimmed();
    return manifest;
}

QByteArray encodeReleaseManifest(const ReleaseManifest &manifest)
{
    return OrderedJsonObject()
        .insert(QStringLiteral("version"), manifest.version)
        .insert(QStringLiteral("size"), QJsonValue(manifest.size))
        .insert(QStringLiteral("download_url"), manifest.downloadURL)
        .insert(QStringLiteral("release_notes"), manifest.releaseNotes)
        .insert(QStringLiteral("sha256"), manifest.sha256)
        .toJson();
}

QUrl manifestURL(const QUrl &channel)
{
    QUrl manifest = channel;
    QString path = manifest.path();
    if (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    manifest.setPath(path + QStringLiteral("/manifest.json"));
    return manifest;
}
