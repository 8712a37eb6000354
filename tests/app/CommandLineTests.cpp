#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;
using Mode = CommandLine::Mode;
using Verb = CommandLine::Verb;

struct Parse
{
    QStringList arguments;
    Mode mode;
    Verb verb;
    QStringList operands;
    QString message; // the help text or the usage error
};

void PrintTo(const Parse &parse, std::ostream *os)
{
    *os << parse.arguments.join(u' ').toStdString();
}

class CommandLineParse : public testing::TestWithParam<Parse>
{};

TEST_P(CommandLineParse, FindsTheVerbItsOperandsOrTheMistake)
{
    const Parse &expected = GetParam();
    const CommandLine command = parseCommandLine(expected.arguments);
    EXPECT_EQ(command.mode, expected.mode);
    EXPECT_EQ(command.operands, expected.operands);
    EXPECT_EQ(expected.mode == Mode::help ? command.help : command.error, expected.message);
    if (expected.mode != Mode::usageError) {
        EXPECT_EQ(command.verb, expected.verb);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Verbs, CommandLineParse,
    testing::Values(
        Parse{{u"check-updates"_s}, Mode::verb, Verb::checkUpdates, {}, {}},
        Parse{{u"maps"_s, u"list"_s}, Mode::verb, Verb::mapsList, {}, {}},
        Parse{{u"maps"_s, u"import"_s, u"a"_s, u"b.zip"_s}, Mode::verb, Verb::mapsImport, {u"a"_s, u"b.zip"_s}, {}},
        // "--" lets a map whose name starts with a dash be named.
        Parse{{u"maps"_s, u"remove"_s, u"--"_s, u"-odd"_s}, Mode::verb, Verb::mapsRemove, {u"-odd"_s}, {}},
        Parse{{u"uninstall"_s, u"--managed"_s}, Mode::verb, Verb::uninstallManaged, {}, {}},
        Parse{{u"open-url"_s, u"TARNHOLD://repair"_s}, Mode::verb, Verb::openUrl, {u"TARNHOLD://repair"_s}, {}},
        Parse{{u"open-url"_s, u"tarnhold://stop"_s}, Mode::verb, Verb::stop, {u"tarnhold://stop"_s}, {}},
        Parse{{u"launch"_s, u"--help"_s},
              Mode::help,
              Verb::launch,
              {},
              u"Usage: tarnhold launch [--resolution \"W × H\"] [--wait]\nStart Velmora; with --wait, follow it until "
              u"it ends.\n"_s},
        Parse{{u"maps"_s, u"remove"_s, u"--help"_s},
              Mode::help,
              Verb::mapsRemove,
              {},
              u"Usage: tarnhold maps remove NAME\nMove the named map to the Trash.\n"_s},
        Parse{{u"--help"_s}, Mode::help, Verb::status, {}, usageText()}));

INSTANTIATE_TEST_SUITE_P(
    Mistakes, CommandLineParse,
    testing::Values(
        Parse{{u"uninstall"_s}, Mode::usageError, {}, {}, u"uninstall needs --managed"_s},
        Parse{{u"maps"_s, u"import"_s}, Mode::usageError, {}, {}, u"maps import needs PATH…"_s},
        Parse{{u"maps"_s, u"remove"_s, u"a"_s, u"b"_s},
              Mode::usageError,
              {},
              {},
              u"Unexpected argument for maps remove: b"_s},
        Parse{{u"repair"_s, u"now"_s}, Mode::usageError, {}, {}, u"Unexpected argument for repair: now"_s},
        Parse{
            {u"status"_s, u"--json"_s, u"--json"_s}, Mode::usageError, {}, {}, u"Unknown option for status: --json"_s},
        Parse{{u"profile"_s, u"--help"_s, u"x"_s}, Mode::usageError, {}, {}, u"Unknown option for profile: --help"_s},
        Parse{{u"open-url"_s, u"https://example.org/"_s},
              Mode::usageError,
              {},
              {},
              u"Not a tarnhold: URL: https://example.org/"_s},
        Parse{{u"launch"_s, u"--resolution"_s}, Mode::usageError, {}, {}, u"--resolution needs \"W × H\""_s},
        Parse{{u"launch"_s, u"--resolution=1920x1200"_s},
              Mode::usageError,
              {},
              {},
              u"Choose a resolution of 2560 × 1440, 1920 × 1080 or 1280 × 720, not 1920x1200"_s},
        Parse{{u"launch"_s, u"--wait=yes"_s}, Mode::usageError, {}, {}, u"--wait needs no value"_s},
        Parse{{u"maps"_s}, Mode::usageError, {}, {}, u"Unknown arguments: maps"_s}));

TEST(CommandLine, LaunchTakesTheResolutionAsTheGameOffersItOrAsAScreenSize)
{
    const CommandLine named = parseCommandLine({u"launch"_s, u"--wait"_s, u"--resolution"_s, u"1920 × 1080"_s});
    EXPECT_EQ(named.resolution, u"1920 × 1080"_s);
    EXPECT_TRUE(named.wait);
    const CommandLine sized = parseCommandLine({u"launch"_s, u"--resolution=1280x720"_s});
    EXPECT_EQ(sized.resolution, u"1280 × 720"_s);
    EXPECT_FALSE(sized.wait);
}

} // namespace
