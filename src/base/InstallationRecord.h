#pragma once

#include "base/InstalledState.h"

#include <QObject>

// The installation record ("state.json") as Tarnhold holds it while
// running: one copy shared by every operation, published with a change
// signal, loaded and saved whole. Neither loading nor saving reports
// failures: a missing or damaged file leaves the record as it is, and a
// failed save is made good by the next one.
class InstallationRecord final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InstallationRecord)

    Q_PROPERTY(InstalledState state READ state NOTIFY stateChanged)

public:
    explicit InstallationRecord(QObject *parent = nullptr);
    ~InstallationRecord() override;

    InstalledState state() const { return m_state; }
    void setState(const InstalledState &state);

    void load();
    void save() const;

Q_SIGNALS:
    void stateChanged();

private:
    InstalledState m_state;
};
