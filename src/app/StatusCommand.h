#pragma once

#include "app/ModelFactory.h"

#include <QCoroTask>

class QIODevice;
class TarnholdModel;

// "tarnhold status": refreshes a model as the window would and prints the
// summary (or JSON) to standard output. Needs no display. Always ends: a
// failed refresh prints one line to standard error and exits with 1.
int runStatusCommand(int &argc, char **argv, bool json, const ModelFactory &makeModel);

// Awaits refreshing and writes the model's status to out, or the reason it
// failed to err; gives the exit status.
QCoro::Task<int> printStatus(QCoro::Task<> refreshing, const TarnholdModel &model, bool json, QIODevice &out,
                             QIODevice &err);
