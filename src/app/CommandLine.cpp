#include "app/CommandLine.h"

#include "app/UrlAction.h"
#include "client/GameLauncher.h"

#include <QRegularExpression>

#include <array>

namespace {

using Verb = CommandLine::Verb;

enum class Operands { none, one, oneOrMore };

struct OptionSyntax
{
    const char *name = nullptr;
    const char *value = nullptr; // the value's placeholder, for an option that takes one
};

// One verb's syntax; the parser, the usage and each verb's help read it.
struct VerbSyntax
{
    Verb verb;
    const char *words;
    std::array<OptionSyntax, 2> options;
    bool optionRequired; // uninstall names what it removes
    Operands operands;
    const char *operandName;
    const char *summary;
};

// clang-format off
constexpr VerbSyntax verbs[] = {
    {Verb::status, "status", {{{"--json"}}}, false, Operands::none, "",
     "Print the installation’s status, as JSON with --json"},
    {Verb::setup, "setup", {}, false, Operands::none, "",
     "Install Velmora step by step, signing in to Steam here"},
    {Verb::launch, "launch", {{{"--resolution", "\"W × H\""}, {"--wait"}}}, false, Operands::none, "",
     "Start Velmora; with --wait, follow it until it ends"},
    {Verb::stop, "stop", {}, false, Operands::none, "",
     "Ask the running game to end"},
    {Verb::checkUpdates, "check-updates", {}, false, Operands::none, "",
     "Check the official update channel for a new Velmora release"},
    {Verb::update, "update", {}, false, Operands::none, "",
     "Install the available Velmora update"},
    {Verb::repair, "repair", {}, false, Operands::none, "",
     "Repair Velmora and its anti-cheat"},
    {Verb::profile, "profile", {}, false, Operands::none, "",
     "Restore the multiplayer profile and the community content"},
    {Verb::mapsList, "maps list", {}, false, Operands::none, "",
     "List the maps in the game’s library and their source"},
    {Verb::mapsImport, "maps import", {}, false, Operands::oneOrMore, "PATH…",
     "Import the maps in the given folders and ZIP packages"},
    {Verb::mapsRemove, "maps remove", {}, false, Operands::one, "NAME",
     "Move the named map to the Trash"},
    {Verb::mapsOpen, "maps open", {}, false, Operands::none, "",
     "Open the game’s Maps folder in the file manager"},
    {Verb::uninstallManaged, "uninstall", {{{"--managed"}}}, true, Operands::none, "",
     "Move the managed installation to the Trash"},
    {Verb::restoreLegacy, "restore-legacy", {}, false, Operands::none, "",
     "Make a preserved legacy installation visible to Tarnhold again"},
    {Verb::openUrl, "open-url", {}, false, Operands::one, "URL",
     "Act on a tarnhold: URL as the window would"},
};
// clang-format on

QString synopsis(const VerbSyntax &syntax)
{
    QString text = QString::fromUtf8(syntax.words);
    for (const OptionSyntax &option : syntax.options) {
        if (!option.name)
            continue;
        QString shown = QString::fromUtf8(option.name);
        if (option.value)
            shown += u' ' + QString::fromUtf8(option.value);
        text += syntax.optionRequired ? QString(u' ' + shown) : QString(QStringLiteral(" [") + shown + u']');
    }
    if (syntax.operands != Operands::none)
        text += u' ' + QString::fromUtf8(syntax.operandName);
    return text;
}

CommandLine usageError(const QString &error)
{
    CommandLine command;
    command.mode = CommandLine::Mode::usageError;
    command.error = error;
    return command;
}

// The verb whose words start the arguments; "maps list" wins over any
// shorter match because no verb's words are a prefix of another's.
const VerbSyntax *matchVerb(const QStringList &arguments)
{
    for (const VerbSyntax &syntax : verbs) {
        const QStringList words = QString::fromUtf8(syntax.words).split(u' ');
        if (arguments.mid(0, words.size()) == words)
            return &syntax;
    }
    return nullptr;
}

const OptionSyntax *optionNamed(const VerbSyntax &syntax, const QString &name)
{
    for (const OptionSyntax &option : syntax.options)
        if (option.name && name == QLatin1StringView(option.name))
            return &option;
    return nullptr;
}

// "1920 × 1080" or "1920x1080", as the game offers it.
std::optional<QString> gameResolution(const QString &text)
{
    static const QRegularExpression size(QStringLiteral("^\\s*(\\d+)\\s*[x×]\\s*(\\d+)\\s*$"));
    const QRegularExpressionMatch match = size.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const QString resolution = match.captured(1) + QStringLiteral(" × ") + match.captured(2);
    const QSize chosen(match.captured(1).toInt(), match.captured(2).toInt());
    if (GameLauncher::selectedResolution(resolution) != chosen)
        return std::nullopt;
    return resolution;
}

CommandLine parseVerb(const VerbSyntax &syntax, const QStringList &rest)
{
    const QString name = QString::fromUtf8(syntax.words);
    CommandLine command;
    command.verb = syntax.verb;
    if (rest == QStringList{QStringLiteral("--help")}) {
        command.mode = CommandLine::Mode::help;
        command.help = QStringLiteral("Usage: tarnhold ") + synopsis(syntax) + u'\n' + QString::fromUtf8(syntax.summary)
                       + QStringLiteral(".\n");
        return command;
    }
    QHash<QString, QString> given; // option name to value, empty for a flag
    bool optionsEnded = false;
    for (qsizetype index = 0; index < rest.size(); ++index) {
        const QString &argument = rest.at(index);
        const OptionSyntax *option = optionsEnded ? nullptr : optionNamed(syntax, argument.section(u'=', 0, 0));
        if (!optionsEnded && argument == QLatin1StringView("--")) {
            optionsEnded = true;
        } else if (option && !given.contains(QString::fromUtf8(option->name))) {
            QString value;
            if (option->value && argument.contains(u'='))
                value = argument.section(u'=', 1);
            else if (option->value && index + 1 < rest.size())
                value = rest.at(++index);
            else if (option->value || argument.contains(u'='))
                return usageError(QString::fromUtf8(option->name) + QStringLiteral(" needs ")
                                  + QString::fromUtf8(option->value ? option->value : "no value"));
            given.insert(QString::fromUtf8(option->name), value);
        } else if (!optionsEnded && argument.startsWith(u'-') && argument.size() > 1) {
            return usageError(QStringLiteral("Unknown option for ") + name + QStringLiteral(": ") + argument);
        } else {
            command.operands.append(argument);
        }
    }
    if (syntax.optionRequired && given.isEmpty())
        return usageError(name + QStringLiteral(" needs ") + QString::fromUtf8(syntax.options.front().name));
    if (syntax.operands != Operands::none && command.operands.isEmpty())
        return usageError(name + QStringLiteral(" needs ") + QString::fromUtf8(syntax.operandName));
    const qsizetype allowed = syntax.operands == Operands::none ? 0 : syntax.operands == Operands::one ? 1 : -1;
    if (allowed >= 0 && command.operands.size() > allowed)
        return usageError(QStringLiteral("Unexpected argument for ") + name + QStringLiteral(": ")
                          + command.operands.at(allowed));
    command.json = given.contains(QStringLiteral("--json"));
    command.wait = given.contains(QStringLiteral("--wait"));
    if (given.contains(QStringLiteral("--resolution"))) {
        command.resolution = gameResolution(given.value(QStringLiteral("--resolution")));
        if (!command.resolution)
            return usageError(QStringLiteral("Choose a resolution of 2560 × 1440, 1920 × 1080 or 1280 × 720, not ")
                              + given.value(QStringLiteral("--resolution")));
    }
    if (syntax.verb == Verb::openUrl) {
        const std::optional<UrlAction> action = urlAction(QUrl(command.operands.first(), QUrl::StrictMode));
        if (!action)
            return usageError(QStringLiteral("Not a tarnhold: URL: ") + command.operands.first());
        // The game's URLs do what their verbs do.
        if (*action == UrlAction::launch || *action == UrlAction::stop)
            command.verb = *action == UrlAction::launch ? Verb::launch : Verb::stop;
    }
    command.mode = CommandLine::Mode::verb;
    return command;
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments)
{
    CommandLine command;
    if (arguments.isEmpty())
        return command;

    const QString &first = arguments.first();
    if (first == QLatin1StringView("--version") && arguments.size() == 1) {
        command.mode = CommandLine::Mode::version;
        return command;
    }
    if (first == QLatin1StringView("--help") && arguments.size() == 1) {
        command.mode = CommandLine::Mode::help;
        command.help = usageText();
        return command;
    }
    if (const VerbSyntax *syntax = matchVerb(arguments))
        return parseVerb(*syntax, arguments.mid(QString::fromUtf8(syntax->words).count(u' ') + 1));
    // Desktop environments pass an opened URL as the only argument.
    const QUrl url(first, QUrl::StrictMode);
    if (arguments.size() == 1 && url.isValid() && !url.scheme().isEmpty()) {
        command.url = url;
        return command;
    }
    return usageError(QStringLiteral("Unknown arguments: ") + arguments.join(QLatin1Char(' ')));
}

QString usageText()
{
    QString text = QStringLiteral("Usage: tarnhold [tarnhold://ACTION]\n"
                                  "       tarnhold --version | --help\n"
                                  "       tarnhold VERB [--help]\n"
                                  "\n"
                                  "Verbs:\n");
    constexpr int column = 24;
    for (const VerbSyntax &syntax : verbs) {
        const QString shown = synopsis(syntax);
        // A long synopsis has its summary on the next line, in the column.
        const QString gap = shown.size() < column ? QString() : u'\n' + QString(column + 2, u' ');
        text += QStringLiteral("  %1%2%3\n").arg(shown, -column).arg(gap, QString::fromUtf8(syntax.summary));
    }
    return text;
}
