#include "FuzzRequire.h"
#include "setup/SteamConsole.h"

#include <QStringDecoder>

// SteamCMD's output arrives in chunks cut anywhere, even inside a character
// or a control sequence. Each chunk is a length byte and that many bytes;
// a length of zero stands for a credential the user submitted.
FUZZ_TARGET(bytes)
{
    const auto isFraction = [](std::optional<double> value) { return !value || (*value >= 0.0 && *value <= 1.0); };
    SteamConsole console(QStringLiteral("Starting Valve SteamCMD…"));
    QStringDecoder decoder(QStringDecoder::Utf8);
    for (qsizetype offset = 0; offset < bytes.size();) {
        const qsizetype length = std::min<qsizetype>(quint8(bytes[offset]), bytes.size() - offset - 1);
        ++offset;
        if (length == 0) {
            console.clearParseBuffer();
            continue;
        }
        const QString chunk = decoder.decode(bytes.mid(offset, length));
        offset += length;
        const SteamOutputEffect effect = console.consume(chunk);
        FUZZ_REQUIRE(isFraction(effect.progress) && isFraction(steamProgress(chunk)));
        FUZZ_REQUIRE(console.transcript().size() <= SteamConsole::transcriptLimit);
        FUZZ_REQUIRE(console.parseBuffer().size() <= SteamConsole::parseBufferLimit);
        // The approval wait is a Guard phase, and only one.
        FUZZ_REQUIRE(!console.awaitsApproval() || effect.phase == SteamSessionPhase::Kind::guardCode);
    }
}
