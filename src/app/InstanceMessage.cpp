#include "app/InstanceMessage.h"

QByteArray encodeInstanceMessage(const InstanceMessage &message)
{
    return (message.url ? message.url->toEncoded() : QByteArray()) + '\n';
}

std::optional<InstanceMessage> parseInstanceMessage(QByteArrayView line)
{
    if (line.size() > maximumInstanceMessageLength)
        return std::nullopt;
    if (line.isEmpty())
        return InstanceMessage{};
    const QUrl url = QUrl::fromEncoded(line.toByteArray(), QUrl::StrictMode);
    if (!url.isValid())
        return std::nullopt;
    return InstanceMessage{url};
}
