#pragma once

#include "base/InstallerPhase.h"

#include <QString>

#include <array>

inline constexpr std::array allInstallerPhases{InstallerPhase::preparing, InstallerPhase::environment,
                                               InstallerPhase::gameFiles, InstallerPhase::onlineClient,
                                               InstallerPhase::community, InstallerPhase::complete};

// How the busy overlay names and pictures a phase.
QString phaseTitle(InstallerPhase phase);
QString phaseSymbol(InstallerPhase phase);
