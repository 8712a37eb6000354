#include "FuzzRequire.h"
#include "app/InstanceMessage.h"
#include "app/UrlAction.h"

// Any local process of the same user may write anything to the running
// instance's socket.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView line(data, qsizetype(size));
    const std::optional<InstanceMessage> message = parseInstanceMessage(line);
    if (!message)
        return 0;
    FUZZ_REQUIRE(line.size() <= maximumInstanceMessageLength);
    FUZZ_REQUIRE(message->url.has_value() == !line.isEmpty());
    if (!message->url)
        return 0;

    // Passed on again, the URL must stay one line and ask for the same thing;
    // its spelling may differ ("#" in a fragment becomes "%23") but then
    // settles.
    const QByteArray encoded = encodeInstanceMessage(*message);
    FUZZ_REQUIRE(encoded.indexOf('\n') == encoded.size() - 1);
    const std::optional<InstanceMessage> again = parseInstanceMessage(encoded.chopped(1));
    FUZZ_REQUIRE(again && again->url);
    FUZZ_REQUIRE(urlAction(*again->url) == urlAction(*message->url));
    FUZZ_REQUIRE(encodeInstanceMessage(*again) == encoded);
    return 0;
}
