#pragma once

#include <functional>
#include <memory>

class TarnholdModel;

// Makes the model once the application object exists: the one for this
// system, or one for a world of stand-ins.
using ModelFactory = std::function<std::unique_ptr<TarnholdModel>()>;

// The model for this system, as an installed Tarnhold runs.
std::unique_ptr<TarnholdModel> systemModel();
