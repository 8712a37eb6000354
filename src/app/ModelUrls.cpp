// URLs of the "tarnhold" scheme, opened by other programs or a second start.
#include "app/TarnholdModel.h"
#include "app/UrlAction.h"
#include "client/GameLauncher.h"
#include "client/UpdateChannel.h"
#include "content/CommunityContent.h"
#include "setup/SetupFlow.h"

void TarnholdModel::handle(const QUrl &url)
{
    const std::optional<UrlAction> action = urlAction(url);
    if (!action)
        return;
    switch (*action) {
    case UrlAction::refresh:
        startRefresh();
        break;
    case UrlAction::maps:
        setSelectedSection(AppSection::maps);
        break;
    case UrlAction::settings:
        setSelectedSection(AppSection::settings);
        break;
    case UrlAction::activate:
        Q_EMIT activationRequested();
        break;
    case UrlAction::updates:
        m_updates->checkForUpdates();
        break;
    case UrlAction::repair:
        m_setup->repair();
        break;
    case UrlAction::community:
        m_community->installCommunityContent();
        break;
    case UrlAction::launch:
        m_launcher->launchGame();
        break;
    case UrlAction::stop:
        m_launcher->stopGame();
        break;
    }
}
