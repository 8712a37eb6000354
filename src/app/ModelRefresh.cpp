// The start-up refresh and the component list.
#include "base/Locations.h"
#include "app/TarnholdModel.h"

#include <QDir>
#include <QPointer>

QCoro::Task<> TarnholdModel::refresh()
{
    const QPointer<TarnholdModel> self(this);
    loadState();
    co_await checkForUpdates(false);
    if (!self)
        co_return;
    co_await adoptKnownLocalReleaseIfPossible();
    if (!self)
        co_return;
    refreshComponents();
    refreshMapLibrary();
    const bool ready = isReady();
    setActivity(ready ? QStringLiteral("Ready") : QStringLiteral("Installation required"));
    setSetupStep(ready ? SetupStep::complete : SetupStep::checkMac);
}

void TarnholdModel::refreshComponents()
{
    ComponentFacts facts;
    facts.runtimePresent = runtimeURL().has_value();
    const std::optional<QString> prefix = prefixURL();
    facts.gameFilesPresent =
        prefix && fileExists(QDir(Locations::gameFolder(*prefix)).filePath(QStringLiteral("Generals.exe")));
    const std::optional<QString> launcher = launcherURL();
    facts.launcherPresent = launcher && fileExists(*launcher);
    facts.hasUpdate = hasUpdate();
    facts.mapCount = bundledMapCount();
    assign(m_components, componentRows(facts, m_state), &TarnholdModel::componentsChanged);
}
