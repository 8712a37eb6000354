#include "app/ComponentHealth.h"

#include <gtest/gtest.h>

namespace {

using Health = ComponentHealth::Health;

TEST(ComponentRows, FreshMachineNeedsEverything)
{
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
    EXPECT_EQ(componentRows({}, InstalledState{}), expected);
}

TEST(ComponentRows, InstalledPiecesShowTheirDetails)
{
    InstalledState state;
    state.velmoraVersion = QStringLiteral("1.4.2");
    state.controlBarVersion = QStringLiteral("1.2");
    QList<ComponentHealth> rows = componentRows({true, true, true, false, 8}, state);
    for (const ComponentHealth &row : rows)
        EXPECT_EQ(row.health, Health::ready) << row.id.toStdString();
    EXPECT_EQ(rows[0].detail, QStringLiteral("Wine 11.0 · deterministic SSE2 build"));
    EXPECT_EQ(rows[1].detail, QStringLiteral("Steam app 2732960"));
    EXPECT_EQ(rows[2].detail, QStringLiteral("1.4.2"));
    EXPECT_EQ(rows[3].detail, QStringLiteral("Fullscreen · 60 Hz client · EAC"));
    EXPECT_EQ(rows[4].detail, QStringLiteral("Control Bar Pro 1.2 · GenTool 8.9"));
    EXPECT_EQ(rows[5].detail, QStringLiteral("8 installed maps"));

    state.genToolVersion = QStringLiteral("9.0");
    rows = componentRows({true, true, true, true, 7}, state);
    EXPECT_EQ(rows[2].health, Health::attention) << "an update is waiting";
    EXPECT_EQ(rows[4].detail, QStringLiteral("Control Bar Pro 1.2 · GenTool 9.0"));
    EXPECT_EQ(rows[5].detail, QStringLiteral("7 installed maps"));
    EXPECT_EQ(rows[5].health, Health::missing);
    EXPECT_EQ(componentRows({true, true, true, false, 0}, {})[2].detail, QStringLiteral("Installed"));
    EXPECT_EQ(componentRows({true, true, false, true, 0}, state)[2].health, Health::missing);
}

} // namespace
