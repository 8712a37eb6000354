#include "app/CommandLine.h"

namespace {

CommandLine usageError(const QString &error)
{
    CommandLine command;
    command.mode = CommandLine::Mode::usageError;
    command.error = error;
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
    if (first == QLatin1StringView("status")) {
        const QStringList options = arguments.mid(1);
        if (options.isEmpty() || options == QStringList{QStringLiteral("--json")}) {
            command.mode = CommandLine::Mode::status;
            command.json = !options.isEmpty();
            return command;
        }
        return usageError(QStringLiteral("Unknown option for status: ") + options.join(QLatin1Char(' ')));
    }
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
    return QStringLiteral("Usage: tarnhold [--version | status [--json] | tarnhold://ACTION]\n");
}
