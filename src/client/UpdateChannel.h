#pragma once

#include "client/ReleaseManifest.h"
#include "content/Services.h"

#include <QCoroTask>
#include <QObject>

#include <optional>

class OperationState;

// The online client's update channel: the release it offers, and a release
// archive the user downloaded by hand recognised as installed.
class UpdateChannel final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(UpdateChannel)

    Q_PROPERTY(std::optional<ReleaseManifest> release READ release NOTIFY releaseChanged)

public:
    UpdateChannel(Services services, OperationState &operation, QObject *parent = nullptr);
    ~UpdateChannel() override;

    std::optional<ReleaseManifest> release() const { return m_release; }

    // Reads the release manifest. An interactive check shows that it runs,
    // unless another operation already does, and reports a failure; a silent
    // one drops it. Neither throws. The menu command and the "updates" URL
    // start an interactive check and do not wait for it.
    void checkForUpdates();
    QCoro::Task<> check(bool showActivity);

    // The release seen last, or the one the channel offers now, which is
    // then the release seen. Throws when it cannot be read.
    QCoro::Task<ReleaseManifest> releaseToInstall();

    // Records the release as installed when the user's Downloads folder holds
    // its archive with the pinned checksum and the installation has no
    // version yet. Never throws.
    QCoro::Task<> adoptKnownLocalReleaseIfPossible();

Q_SIGNALS:
    void releaseChanged();

private:
    void setRelease(const ReleaseManifest &release);
    void recordCheck(const ReleaseManifest &release);

    Services m_services;
    OperationState &m_operation;
    std::optional<ReleaseManifest> m_release;
};
