#include "FuzzRequire.h"
#include "app/CommandLine.h"

// Arguments come from the shell or from a desktop environment opening a
// link; each NUL in the input separates two arguments.
FUZZ_TARGET(bytes)
{
    const QStringList arguments = bytes.isEmpty() ? QStringList() : QString::fromUtf8(bytes).split(QChar(0));
    const CommandLine command = parseCommandLine(arguments);
    using Mode = CommandLine::Mode;
    FUZZ_REQUIRE((command.mode == Mode::usageError) == !command.error.isEmpty());
    FUZZ_REQUIRE(!command.json || (command.mode == Mode::verb && command.verb == CommandLine::Verb::status));
    FUZZ_REQUIRE((command.mode == Mode::help) == !command.help.isEmpty());
    FUZZ_REQUIRE(command.mode == Mode::verb || command.operands.isEmpty());
    const bool launch = command.mode == Mode::verb && command.verb == CommandLine::Verb::launch;
    FUZZ_REQUIRE(!command.wait || launch);
    // Only a resolution the game offers reaches the launch.
    FUZZ_REQUIRE(
        !command.resolution
        || (launch
            && QStringList({QStringLiteral("2560 × 1440"), QStringLiteral("1920 × 1080"), QStringLiteral("1280 × 720")})
                   .contains(*command.resolution)));
    FUZZ_REQUIRE(command.mode != Mode::version || arguments == QStringList{QStringLiteral("--version")});
    // Only a lone, well-formed URL is handed to the window.
    FUZZ_REQUIRE(!command.url
                 || (command.mode == Mode::window && arguments.size() == 1 && command.url->isValid()
                     && !command.url->scheme().isEmpty()));
    FUZZ_REQUIRE(command.mode != Mode::window || arguments.isEmpty() || command.url);
}
