#include "app/CommandLine.h"

#include "app/UrlAction.h"

namespace {

using Verb = CommandLine::Verb;

enum class Operands { none, one, oneOrMore };

// One verb's syntax; the parser, the usage and each verb's help read it.
struct VerbSyntax
{
    Verb verb;
    const char *words;
    const char *option; // empty for none
    bool optionRequired;
    Operands operands;
    const char *operandName;
    const char *summary;
};

constexpr VerbSyntax verbs[] = {
    {Verb::status, "status", "--json", false, Operands::none, "",
     "Print the installation’s status, as JSON with --json"},
    {Verb::checkUpdates, "check-updates", "", false, Operands::none, "",
     "Check the official update channel for a new Velmora release"},
    {Verb::update, "update", "", false, Operands::none, "", "Install the available Velmora update"},
    {Verb::repair, "repair", "", false, Operands::none, "", "Repair Velmora and its anti-cheat"},
    {Verb::profile, "profile", "", false, Operands::none, "",
     "Restore the multiplayer profile and the community content"},
    {Verb::mapsList, "maps list", "", false, Operands::none, "",
     "List the maps in the game’s library and their source"},
    {Verb::mapsImport, "maps import", "", false, Operands::oneOrMore, "PATH…",
     "Import the maps in the given folders and ZIP packages"},
    {Verb::mapsRemove, "maps remove", "", false, Operands::one, "NAME", "Move the named map to the Trash"},
    {Verb::mapsOpen, "maps open", "", false, Operands::none, "", "Open the game’s Maps folder in the file manager"},
    {Verb::uninstallManaged, "uninstall", "--managed", true, Operands::none, "",
     "Move the managed installation to the Trash"},
    {Verb::restoreLegacy, "restore-legacy", "", false, Operands::none, "",
     "Make a preserved legacy installation visible to Tarnhold again"},
    {Verb::openUrl, "open-url", "", false, Operands::one, "URL", "Act on a tarnhold: URL as the window would"},
};

QString synopsis(const VerbSyntax &syntax)
{
    QString text = QString::fromUtf8(syntax.words);
    const QString option = QString::fromUtf8(syntax.option);
    if (!option.isEmpty())
        text += syntax.optionRequired ? QString(u' ' + option) : QString(QStringLiteral(" [") + option + u']');
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
    bool optionGiven = false;
    bool optionsEnded = false;
    for (const QString &argument : rest) {
        if (!optionsEnded && argument == QLatin1StringView("--"))
            optionsEnded = true;
        else if (!optionsEnded && *syntax.option != '\0' && argument == QLatin1StringView(syntax.option)
                 && !optionGiven)
            optionGiven = true;
        else if (!optionsEnded && argument.startsWith(u'-') && argument.size() > 1)
            return usageError(QStringLiteral("Unknown option for ") + name + QStringLiteral(": ") + argument);
        else
            command.operands.append(argument);
    }
    if (syntax.optionRequired && !optionGiven)
        return usageError(name + QStringLiteral(" needs ") + QString::fromUtf8(syntax.option));
    if (syntax.operands != Operands::none && command.operands.isEmpty())
        return usageError(name + QStringLiteral(" needs ") + QString::fromUtf8(syntax.operandName));
    const qsizetype allowed = syntax.operands == Operands::none ? 0 : syntax.operands == Operands::one ? 1 : -1;
    if (allowed >= 0 && command.operands.size() > allowed)
        return usageError(QStringLiteral("Unexpected argument for ") + name + QStringLiteral(": ")
                          + command.operands.at(allowed));
    if (syntax.verb == Verb::openUrl) {
        const std::optional<UrlAction> action = urlAction(QUrl(command.operands.first(), QUrl::StrictMode));
        if (!action)
            return usageError(QStringLiteral("Not a tarnhold: URL: ") + command.operands.first());
        // The game belongs to the process that started it, and a command
        // ends long before the game does.
        if (*action == UrlAction::launch || *action == UrlAction::stop)
            return usageError(QStringLiteral("open-url cannot launch or stop the game: ") + command.operands.first());
    }
    command.mode = CommandLine::Mode::verb;
    command.json = optionGiven && syntax.verb == Verb::status;
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
    for (const VerbSyntax &syntax : verbs)
        text += QStringLiteral("  %1%2\n").arg(synopsis(syntax), -24).arg(QString::fromUtf8(syntax.summary));
    return text;
}
