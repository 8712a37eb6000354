#include "content/ControlBarPackage.h"

#include "base/Locations.h"

#include <QDir>
#include <QFileInfo>

#include <ranges>

namespace {

QUrl belowSite(const QUrl &site, const QString &path)
{
    QUrl url = site;
    url.setPath(site.path() + path);
    return url;
}

ControlBarPackage variant(const QString &resolution, const QString &size, const QString &digest,
                          const QStringList &variantFiles)
{
    QStringList files{QStringLiteral("339_ControlBarProHideIpZH.big.BAK"),
                      QStringLiteral("339_ControlBarProHideMailZH.big.BAK")};
    files << variantFiles << QStringLiteral("340_ControlBarProZH.big");
    return {resolution, QStringLiteral("ControlBarProZH_v1.2_%1.zip").arg(size), digest, files};
}

} // namespace

QUrl ControlBarPackage::url(const QUrl &genToolSite) const
{
    return belowSite(genToolSite, QStringLiteral("/download/controlbarpro/1.2/") + archiveName);
}

ControlBarPackage controlBarPackage(const QString &resolution, const ControlBarPins &pins)
{
    if (resolution == QStringLiteral("1280 × 720"))
        return variant(resolution, QStringLiteral("1280x720"), pins.interface720,
                       {QStringLiteral("340_ControlBarPro720ZH.big"), QStringLiteral("340_ControlBarProArt1080ZH.big"),
                        QStringLiteral("340_ControlBarProData1080ZH.big")});
    if (resolution == QStringLiteral("1920 × 1080"))
        return variant(resolution, QStringLiteral("1920x1080"), pins.interface1080,
                       {QStringLiteral("340_ControlBarPro1080ZH.big"), QStringLiteral("340_ControlBarProArt1080ZH.big"),
                        QStringLiteral("340_ControlBarProData1080ZH.big")});
    return variant(QStringLiteral("2560 × 1440"), QStringLiteral("2560x1440"), pins.interface1440,
                   {QStringLiteral("340_ControlBarPro1440ZH.big"), QStringLiteral("340_ControlBarProArt2160ZH.big"),
                    QStringLiteral("340_ControlBarProData2160ZH.big")});
}

QStringList completeFileSet(const ControlBarPackage &package)
{
    return package.files + QStringList{genToolLibraryName};
}

QString preparedControlBarFolder(const ControlBarPackage &package)
{
    QString size = package.resolution;
    size.replace(QStringLiteral(" × "), QStringLiteral("x"));
    return QDir(Locations::communityContentFolder()).filePath(QStringLiteral("ControlBarPro/1.2-") + size);
}

std::optional<PreparedControlBar> preparedControlBar(const ControlBarPackage &package)
{
    const QDir folder(preparedControlBarFolder(package));
    const QStringList files = completeFileSet(package);
    if (!std::ranges::all_of(files, [&](const QString &name) { return QFileInfo::exists(folder.filePath(name)); }))
        return std::nullopt;
    return PreparedControlBar{package, folder.path()};
}

QUrl genToolURL(const QUrl &genToolSite)
{
    return belowSite(genToolSite, QStringLiteral("/download/") + genToolArchiveName);
}
