#pragma once

#include "app/PrintableText.h"
#include "base/OperationState.h"

#include <QIODevice>

// The exit status of a command that found the installation busy.
constexpr int installationBusyStatus = 2;

// Claims the installation for a command's work; when another Tarnhold works
// on it, says so on err and gives false.
inline bool claimForCommand(OperationState &operation, QIODevice &err)
{
    if (operation.claimInstallation())
        return true;
    err.write("tarnhold: " + printable(operation.errorMessage().value_or(QString())).toUtf8() + '\n');
    return false;
}
