#pragma once

#include "content/Services.h"

#include <QCoroTask>
#include <QObject>

class OperationState;
class UpdateChannel;

// Installs the online client's release into the game folder: the archive
// is downloaded and verified, kept, unpacked into a private staging folder,
// and copied over the game folder without deleting anything; the package's
// user-data folders become the official copies, and the anti-cheat is set
// up before the record names the new version.
class OnlineClientInstaller final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OnlineClientInstaller)

public:
    OnlineClientInstaller(Services services, OperationState &operation, UpdateChannel &updates,
                          QObject *parent = nullptr);
    ~OnlineClientInstaller() override;

    // Runs inside the caller's busy operation, moving progress within
    // lower..upper, and throws what goes wrong for the caller to report.
    // runtime: the Wine runtime's folder; game: the game folder in prefix.
    QCoro::Task<> installLatestPatch(QString runtime, QString prefix, QString game, double lower, double upper);

private:
    // Unpacks the kept archive into staging, checking first that nothing
    // in it lands outside; the folder holding the launcher is the client.
    QCoro::Task<QString> unpackClient(QString archive, QString staging);

    Services m_services;
    OperationState &m_operation;
    UpdateChannel &m_updates;
};
