#pragma once

#include "app/ModelFactory.h"

#include <QUrl>

#include <optional>

// Runs Tarnhold's window on the model makeModel gives until the user quits,
// or hands url (or a request to come to the front) to the instance already
// running and returns 0.
int runTarnholdApp(int &argc, char **argv, const std::optional<QUrl> &url, const ModelFactory &makeModel);
