#include "app/StatusReport.h"

#include "app/PrintableText.h"
#include "app/TarnholdModel.h"
#include "base/InstallationRecord.h"
#include "base/InstalledLocations.h"
#include "base/OperationState.h"
#include "base/OrderedJsonObject.h"
#include "maps/MapLibrary.h"
#include "setup/SetupFlow.h"

#include <QJsonValue>
#include <QTextStream>

namespace {

QJsonValue pathOrNull(const std::optional<QString> &path)
{
    return path ? QJsonValue(*path) : QJsonValue(QJsonValue::Null);
}

QList<OrderedJsonObject> componentObjects(const QList<ComponentHealth> &components)
{
    QList<OrderedJsonObject> objects;
    for (const ComponentHealth &component : components)
        objects.append(OrderedJsonObject()
                           .insert(QStringLiteral("id"), component.id)
                           .insert(QStringLiteral("name"), component.name)
                           .insert(QStringLiteral("detail"), component.detail)
                           .insert(QStringLiteral("health"), caseName(component.health)));
    return objects;
}

QList<OrderedJsonObject> mapObjects(const QList<InstalledMap> &maps)
{
    QList<OrderedJsonObject> objects;
    for (const InstalledMap &map : maps)
        objects.append(OrderedJsonObject()
                           .insert(QStringLiteral("name"), map.name)
                           .insert(QStringLiteral("path"), map.folderURL)
                           .insert(QStringLiteral("source"), caseName(map.source))
                           .insert(QStringLiteral("containsINI"), map.containsINI)
                           .insert(QStringLiteral("thumbnail"), pathOrNull(map.thumbnailURL)));
    return objects;
}

} // namespace

QString statusText(const TarnholdModel &model)
{
    QString text;
    QTextStream out(&text);
    out << "Tarnhold " << TARNHOLD_VERSION << " · " << model.statusTitle() << '\n';
    out << '\n';
    for (const ComponentHealth &component : model.components())
        out << "  " << qSetFieldWidth(22) << Qt::left << component.name << qSetFieldWidth(0) << qSetFieldWidth(11)
            << caseName(component.health) << qSetFieldWidth(0) << printable(component.detail) << '\n';
    out << '\n';
    const qsizetype mapCount = model.maps().installedMaps().size();
    out << "Maps: " << mapCount << (mapCount == 1 ? " map" : " maps") << " in the library\n";
    return text;
}

QByteArray statusJson(const TarnholdModel &model)
{
    const InstalledState state = model.record().state();
    return OrderedJsonObject()
        .insert(QStringLiteral("version"), QStringLiteral(TARNHOLD_VERSION))
        .insert(QStringLiteral("statusTitle"), model.statusTitle())
        .insert(QStringLiteral("isReady"), model.isReady())
        .insert(QStringLiteral("hasUpdate"), model.hasUpdate())
        .insert(QStringLiteral("activity"), model.operation().activity())
        .insert(QStringLiteral("setupStep"), caseName(model.setup().setupStep()))
        .insert(QStringLiteral("runtime"), pathOrNull(runtimeURL(state)))
        .insert(QStringLiteral("prefix"), pathOrNull(prefixURL(state)))
        .insert(QStringLiteral("launcher"), pathOrNull(launcherURL(state)))
        .insert(QStringLiteral("legacyInstallationPresent"), legacyInstallationPresent())
        .insert(QStringLiteral("record"), toJsonObject(state))
        .insert(QStringLiteral("components"), componentObjects(model.components()))
        .insert(QStringLiteral("maps"), mapObjects(model.maps().installedMaps()))
        .toJson();
}
