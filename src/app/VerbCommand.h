#pragma once

#include "app/ModelFactory.h"

#include <QCoroTask>

struct CommandLine;
class QIODevice;
class TarnholdModel;

// Runs one verb of the command line on model: awaits its refresh, then
// prints the status or the map list, or starts the very operation the window
// starts for the verb and follows it to its end. Gives the exit status.
// terminal tells whether out is a terminal.
QCoro::Task<int> runVerb(TarnholdModel &model, const CommandLine &command, QIODevice &out, QIODevice &err,
                         bool terminal);

// The process around runVerb: an application without a display, the model
// makeModel gives, standard output and standard error.
int runVerbCommand(int &argc, char **argv, const CommandLine &command, const ModelFactory &makeModel);
