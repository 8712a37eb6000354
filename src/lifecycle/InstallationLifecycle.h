#pragma once

#include "content/Services.h"

#include <QCoroTask>
#include <QObject>

class OperationState;
class SetupFlow;

// Removing what Tarnhold manages without destroying anything for good:
// the managed installation goes to the Trash while an older installation
// that Tarnhold did not make is hidden, not removed, and can be brought
// back; the application itself goes to the Trash after it quits. The
// sections belong to the model, so the lifecycle announces where the user
// goes next.
class InstallationLifecycle final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InstallationLifecycle)

public:
    InstallationLifecycle(Services services, OperationState &operation, SetupFlow &setup, QObject *parent = nullptr);
    ~InstallationLifecycle() override;

    // Moves the managed game, runtime, downloads and community content to
    // the Trash and resets the record; silent while another operation
    // runs. Runs detached and reports through the operation.
    void uninstallManagedInstallation();
    // Makes the hidden legacy installation visible again.
    void restoreLegacyInstallation();
    // Starts the script that trashes the application, then quits.
    void uninstallApplication();

Q_SIGNALS:
    // The setup starts again: show it.
    void managedInstallationRemoved();
    // The legacy installation is back: show the home section.
    void legacyInstallationRestored();

private:
    QCoro::Task<> removeManagedInstallation();

    Services m_services;
    OperationState &m_operation;
    SetupFlow &m_setup;
};
