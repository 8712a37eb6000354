#include "app/ComponentHealth.h"
#include "app/Locations.h"
#include "app/ModelFixture.h"
#include "support/FileTree.h"
#include "support/Installation.h"
#include "support/ModelTestAccess.h"

#include <QSignalSpy>

namespace {

using Health = ComponentHealth::Health;

QStringList ids(const QList<ComponentHealth> &rows)
{
    QStringList result;
    for (const ComponentHealth &row : rows)
        result.append(row.id);
    return result;
}

TEST(ComponentRows, FreshMachineNeedsEverything)
{
    const QList<ComponentHealth> rows = componentRows({}, InstalledState{});
    ASSERT_EQ(ids(rows),
              (QStringList{QStringLiteral("runtime"), QStringLiteral("steam"), QStringLiteral("online"),
                           QStringLiteral("profile"), QStringLiteral("controlbar"), QStringLiteral("maps")}));
    const QList<ComponentHealth> expected{
        {QStringLiteral("runtime"), QStringLiteral("Mac runtime"), QStringLiteral("Required"), Health::missing},
        {QStringLiteral("steam"), QStringLiteral("Original game"), QStringLiteral("Steam ownership required"),
         Health::missing},
        {QStringLiteral("online"), QStringLiteral("Velmora"), QStringLiteral("Not installed"), Health::missing},
        {QStringLiteral("profile"), QStringLiteral("Multiplayer profile"),
         QStringLiteral("Configured during installation"), Health::missing},
        {QStringLiteral("controlbar"), QStringLiteral("Online interface"),
         QStringLiteral("Configured during installation"), Health::attention},
        {QStringLiteral("maps"), QStringLiteral("Map library"), QStringLiteral("Installed with online client"),
         Health::missing},
    };
    EXPECT_EQ(rows, expected);
}

TEST(ComponentRows, CompleteInstallationIsReady)
{
    InstalledState state;
    state.velmoraVersion = QStringLiteral("1.4.2");
    state.controlBarVersion = QStringLiteral("1.2");
    state.genToolVersion = QStringLiteral("9.0");
    const QList<ComponentHealth> rows = componentRows({true, true, true, false, 30}, state);
    for (const ComponentHealth &row : rows)
        EXPECT_EQ(row.health, Health::ready) << row.id.toStdString();
    EXPECT_EQ(rows[0].detail, QStringLiteral("Wine 11.0 · deterministic SSE2 build"));
    EXPECT_EQ(rows[1].detail, QStringLiteral("Steam app 2732960"));
    EXPECT_EQ(rows[2].detail, QStringLiteral("1.4.2"));
    EXPECT_EQ(rows[3].detail, QStringLiteral("Fullscreen · 60 Hz client · EAC"));
    EXPECT_EQ(rows[4].detail, QStringLiteral("Control Bar Pro 1.2 · GenTool 9.0"));
    EXPECT_EQ(rows[5].detail, QStringLiteral("30 installed maps"));
}

TEST(ComponentRows, OnlineClientAsksForAttentionOnUpdateAndNamesUnknownVersions)
{
    InstalledState state;
    state.velmoraVersion = QStringLiteral("1.0");
    const ComponentHealth updating = componentRows({true, true, true, true, 0}, state)[2];
    EXPECT_EQ(updating.health, Health::attention);
    EXPECT_EQ(updating.detail, QStringLiteral("1.0"));

    const ComponentHealth unknown = componentRows({true, true, true, false, 0}, InstalledState{})[2];
    EXPECT_EQ(unknown.detail, QStringLiteral("Installed"));
    EXPECT_EQ(unknown.health, Health::ready);

    EXPECT_EQ(componentRows({true, true, false, true, 0}, state)[2].health, Health::missing)
        << "an update never makes a missing client look present";
}

TEST(ComponentRows, GenToolVersionDefaultsWhenUnrecorded)
{
    InstalledState state;
    state.controlBarVersion = QStringLiteral("1.2");
    EXPECT_EQ(componentRows({}, state)[4].detail, QStringLiteral("Control Bar Pro 1.2 · GenTool 8.9"));
}

TEST(ComponentRows, MapLibraryIsCompleteFromEightMaps)
{
    const ComponentHealth seven = componentRows({false, false, false, false, 7}, {})[5];
    EXPECT_EQ(seven.detail, QStringLiteral("7 installed maps"));
    EXPECT_EQ(seven.health, Health::missing);
    EXPECT_EQ(componentRows({false, false, false, false, 8}, {})[5].health, Health::ready);
}

using RefreshComponents = ModelTest;

TEST_F(RefreshComponents, ReadsTheFactsFromDiskAndPublishesOnce)
{
    using namespace Installation;
    addRuntime(Locations::currentRuntimeFolder());
    addGameFiles(Locations::managedPrefixFolder());
    for (int index = 0; index < 9; ++index) {
        const QString name = QStringLiteral("Map %1").arg(index);
        FileTree::writeFile(
            FileTree::inHome(QStringLiteral("Documents/Command and Conquer Generals Zero Hour Data/Maps/") + name
                             + QLatin1Char('/') + name + QStringLiteral(".map")));
    }

    QSignalSpy changes(&model, &TarnholdModel::componentsChanged);
    model.refreshComponents();
    EXPECT_EQ(changes.count(), 1);
    const QList<ComponentHealth> rows = model.components();
    ASSERT_EQ(rows.size(), 6);
    EXPECT_EQ(rows[0].health, Health::ready);
    EXPECT_EQ(rows[1].health, Health::ready);
    EXPECT_EQ(rows[2].health, Health::missing) << "no launcher yet";
    EXPECT_EQ(rows[5].detail, QStringLiteral("9 installed maps"));

    addLauncher(Locations::managedPrefixFolder());
    ModelTestAccess::setRelease(model, ReleaseManifest{QStringLiteral("2.0"), {}, 0, {}, {}});
    model.refreshComponents();
    EXPECT_EQ(model.components()[2].health, Health::attention);
}

} // namespace
