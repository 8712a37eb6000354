#pragma once

#include <QCoroTask>

class QIODevice;
class TarnholdModel;

// The guided setup in the terminal: each step from the current one to the
// end runs as its button in the window runs it, and the game's download
// asks here for what SteamCMD asks for. Gives the exit status.
QCoro::Task<int> runSetup(TarnholdModel &model, QIODevice &out, QIODevice &err, bool terminal);
