#pragma once

// "tarnhold status": refreshes a model as the window would and prints the
// summary (or JSON) to standard output. Needs no display.
int runStatusCommand(int &argc, char **argv, bool json);
