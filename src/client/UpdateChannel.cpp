#include "client/UpdateChannel.h"

QUrl manifestURL(const QUrl &channel)
{
    QUrl manifest = channel;
    QString path = manifest.path();
    if (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    manifest.setPath(path + QStringLiteral("/manifest.json"));
    return manifest;
}
