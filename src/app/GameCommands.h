#pragma once

#include <QCoroTask>

struct CommandLine;
class QIODevice;
class TarnholdModel;

// Starts the game as the window's Launch button does, says where its log
// goes and, with --wait, follows it until it ends. Gives the exit status.
QCoro::Task<int> runLaunch(TarnholdModel &model, const CommandLine &command, QIODevice &out, QIODevice &err);

// Asks the running game to end, wherever it was started from.
QCoro::Task<int> runStop(TarnholdModel &model, QIODevice &out, QIODevice &err);
