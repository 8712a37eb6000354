#include "FuzzRequire.h"
#include "platform/PortalColorScheme.h"

#include <cstddef>
#include <cstdint>

// gdbus prints whatever the session bus carries.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const std::optional<ColorScheme> scheme : {parseColorSchemeReply(text), parseColorSchemeChange(text)}) {
        if (!scheme)
            continue;
        // Only the three published values are ever taken, and only from text
        // that spells the value out.
        FUZZ_REQUIRE(*scheme == ColorScheme::noPreference || *scheme == ColorScheme::dark
                     || *scheme == ColorScheme::light);
        FUZZ_REQUIRE(text.contains(QStringLiteral("uint32 %1").arg(static_cast<int>(*scheme))));
    }
    // A change is only ever read from the colour-scheme signal.
    if (parseColorSchemeChange(text))
        FUZZ_REQUIRE(text.contains(QStringLiteral("'org.freedesktop.appearance', 'color-scheme'")));
    return 0;
}
