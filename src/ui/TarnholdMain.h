#pragma once

#include "app/ModelFactory.h"

#include <QStringList>

// Does what one start of Tarnhold was asked (arguments exclude the program
// name): the window, a URL for it, or a command in the terminal, each on a
// model from makeModel. Gives the exit status.
int runTarnhold(int &argc, char **argv, const QStringList &arguments, const ModelFactory &makeModel);
