#include "FuzzRequire.h"
#include "app/InstanceMessage.h"
#include "app/UrlAction.h"

// Any local process of the same user may write anything to the running
// instance's socket.
FUZZ_TARGET(line)
{
    const std::optional<InstanceMessage> message = parseInstanceMessage(line);
    if (!message)
        return;
    FUZZ_REQUIRE(line.size() <= maximumInstanceMessageLength);
    FUZZ_REQUIRE(message->url.has_value() == !line.isEmpty());
    if (!message->url)
        return;
    // Passed on again, the URL must stay one line and ask for the same thing;
    // its spelling may differ ("#" in a fragment becomes "%23") but then
    // settles.
    const QByteArray encoded = encodeInstanceMessage(*message);
    FUZZ_REQUIRE(encoded.indexOf('\n') == encoded.size() - 1);
    const std::optional<InstanceMessage> again = parseInstanceMessage(encoded.chopped(1));
    FUZZ_REQUIRE(again && again->url && urlAction(*again->url) == urlAction(*message->url));
    FUZZ_REQUIRE(encodeInstanceMessage(*again) == encoded);
}
