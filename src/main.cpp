#include "app/CommandLine.h"
#include "app/VerbCommand.h"
#include "ui/TarnholdApp.h"

#include <cstdio>

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int index = 1; index < argc; ++index)
        arguments.append(QString::fromLocal8Bit(argv[index]));
    const CommandLine command = parseCommandLine(arguments);

    switch (command.mode) {
    case CommandLine::Mode::version:
        std::fputs("Tarnhold " TARNHOLD_VERSION "\n", stdout);
        return 0;
    case CommandLine::Mode::help:
        std::fputs(command.help.toUtf8().constData(), stdout);
        return 0;
    case CommandLine::Mode::verb:
        return runVerbCommand(argc, argv, command);
    case CommandLine::Mode::usageError:
        std::fputs(qPrintable(command.error + QLatin1Char('\n') + usageText()), stderr);
        return 2;
    case CommandLine::Mode::window:
        break;
    }
    return runTarnholdApp(argc, argv, command.url);
}
