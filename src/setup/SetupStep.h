#pragma once

#include <QString>

// The guided setup's steps; the raw values are their order.
enum class SetupStep { checkMac = 0, runtime = 1, steam = 2, gameFiles = 3, onlineClient = 4, complete = 5 };

// The case name, as the status command reports it.
QString caseName(SetupStep step);

// What the setup screen shows for a step, in this system's wording.
QString heading(SetupStep step);
QString actionLabel(SetupStep step);
QString description(SetupStep step);
