#include "ui/TarnholdMain.h"

#include "app/CommandLine.h"
#include "app/VerbCommand.h"
#include "ui/TarnholdApp.h"

#include <cstdio>

int runTarnhold(int &argc, char **argv, const QStringList &arguments, const ModelFactory &makeModel)
{
    const CommandLine command = parseCommandLine(arguments);
    switch (command.mode) {
    case CommandLine::Mode::version:
        std::fputs("Tarnhold " TARNHOLD_VERSION "\n", stdout);
        return 0;
    case CommandLine::Mode::help:
        std::fputs(command.help.toUtf8().constData(), stdout);
        return 0;
    case CommandLine::Mode::verb:
        return runVerbCommand(argc, argv, command, makeModel);
    case CommandLine::Mode::usageError:
        std::fputs(qPrintable(command.error + QLatin1Char('\n') + usageText()), stderr);
        return 2;
    case CommandLine::Mode::window:
        break;
    }
    return runTarnholdApp(argc, argv, command.url, makeModel);
}
