#include "app/ComponentHealth.h"

#include "platform/SystemWording.h"

namespace {

// Fewer maps than this means the multiplayer library is incomplete.
constexpr int completeMapLibrarySize = 8;

using Health = ComponentHealth::Health;

Health presentOrMissing(bool present)
{
    return present ? Health::ready : Health::missing;
}

ComponentHealth runtimeRow(const ComponentFacts &facts)
{
    return {QStringLiteral("runtime"), systemWording(QStringLiteral("Mac runtime")),
            facts.runtimePresent ? QStringLiteral("Wine 11.0 · deterministic SSE2 build") : QStringLiteral("Required"),
            presentOrMissing(facts.runtimePresent)};
}

ComponentHealth gameRow(const ComponentFacts &facts)
{
    return {QStringLiteral("steam"), QStringLiteral("Original game"),
            facts.gameFilesPresent ? QStringLiteral("Steam app 2732960") : QStringLiteral("Steam ownership required"),
            presentOrMissing(facts.gameFilesPresent)};
}

ComponentHealth onlineClientRow(const ComponentFacts &facts, const InstalledState &state)
{
    if (!facts.launcherPresent)
        return {QStringLiteral("online"), QStringLiteral("Velmora"), QStringLiteral("Not installed"), Health::missing};
    return {QStringLiteral("online"), QStringLiteral("Velmora"),
            state.velmoraVersion.value_or(QStringLiteral("Installed")),
            facts.hasUpdate ? Health::attention : Health::ready};
}

ComponentHealth profileRow(const ComponentFacts &facts)
{
    return {QStringLiteral("profile"), QStringLiteral("Multiplayer profile"),
            facts.launcherPresent ? QStringLiteral("Fullscreen · 60 Hz client · EAC")
                                  : QStringLiteral("Configured during installation"),
            presentOrMissing(facts.launcherPresent)};
}

// An absent interface package only asks for attention; it never blocks play.
ComponentHealth interfaceRow(const InstalledState &state)
{
    if (!state.controlBarVersion)
        return {QStringLiteral("controlbar"), QStringLiteral("Online interface"),
                QStringLiteral("Configured during installation"), Health::attention};
    return {QStringLiteral("controlbar"), QStringLiteral("Online interface"),
            QStringLiteral("Control Bar Pro ") % *state.controlBarVersion % QStringLiteral(" · GenTool ")
                % state.genToolVersion.value_or(QStringLiteral("8.9")),
            Health::ready};
}

ComponentHealth mapLibraryRow(const ComponentFacts &facts)
{
    return {QStringLiteral("maps"), QStringLiteral("Map library"),
            facts.mapCount == 0 ? QStringLiteral("Installed with online client")
                                : QString::number(facts.mapCount) % QStringLiteral(" installed maps"),
            presentOrMissing(facts.mapCount >= completeMapLibrarySize)};
}

} // namespace

QString caseName(ComponentHealth::Health health)
{
    switch (health) {
    case Health::ready:
        return QStringLiteral("ready");
    case Health::missing:
        return QStringLiteral("missing");
    case Health::attention:
        return QStringLiteral("attention");
    }
    Q_UNREACHABLE();
    return {};
}

QList<ComponentHealth> componentRows(const ComponentFacts &facts, const InstalledState &state)
{
    return {runtimeRow(facts), gameRow(facts),      onlineClientRow(facts, state),
            profileRow(facts), interfaceRow(state), mapLibraryRow(facts)};
}
