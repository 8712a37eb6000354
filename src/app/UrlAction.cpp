#include "app/UrlAction.h"

#include <QHash>

std::optional<UrlAction> urlAction(const QUrl &url)
{
    if (url.scheme() != QLatin1StringView("tarnhold"))
        return std::nullopt;

    static const QHash<QString, UrlAction> actions{
        {QStringLiteral("launch"), UrlAction::launch},       {QStringLiteral("stop"), UrlAction::stop},
        {QStringLiteral("updates"), UrlAction::updates},     {QStringLiteral("repair"), UrlAction::repair},
        {QStringLiteral("community"), UrlAction::community}, {QStringLiteral("refresh"), UrlAction::refresh},
        {QStringLiteral("maps"), UrlAction::maps},           {QStringLiteral("settings"), UrlAction::settings},
    };
    return actions.value(url.host(), UrlAction::activate);
}
