#pragma once

#include "content/Services.h"
#include "process/WineSupervisor.h"

#include <QCoroTask>
#include <QObject>
#include <QString>

#include <functional>

class OperationState;

// Brings the managed Wine prefix into being before the game is copied into
// it: reuses a complete one, otherwise runs wineboot under supervision with a
// time limit and a few attempts, shows what Wine is doing while it waits, and
// writes every decision to the setup log.
class WinePrefix final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WinePrefix)

public:
    WinePrefix(Services services, OperationState &operation, QObject *parent = nullptr);

    // Runs inside the caller's busy operation, which begins and ends it.
    // wine and wineboot: the runtime's "bin/wine" and its wineboot.exe.
    // Throws WineSupervisorError when the game runs or every attempt hung,
    // and passes on any other failure to start Wine.
    QCoro::Task<> prepareWinePrefix(WineSupervisor supervisor, QString wine, QString wineboot);

    // A duration as minutes and two-digit seconds ("1:15"), whole seconds
    // truncated, negative ones as none.
    static QString clock(double seconds);
    // The line shown under the progress while an attempt runs, and whether
    // it reads as stalled.
    struct ProgressDetail
    {
        QString text;
        bool stalled = false;
    };
    static ProgressDetail describeProgress(int attempt, double elapsed, double timeout, const WineHealth &health);

private:
    // Everything but ending the supervised display.
    QCoro::Task<> prepare(WineSupervisor supervisor, QString wine, QString wineboot);
    // One wineboot run; true when the prefix can be used afterwards, false
    // when it hung and the prefix is still incomplete.
    QCoro::Task<bool> runAttempt(WineSupervisor supervisor, QString wine, QString wineboot, int attempt);
    // The tick of an attempt: samples the Wine processes' activity.
    std::function<void(double)> sampler(const WineSupervisor &supervisor, int attempt, double timeout);
    // Starts one activity sample for the running attempt unless one is still
    // being taken.
    void sampleActivity(const WineSupervisor &supervisor, int attempt, double elapsed, double timeout);
    void reportWineProgress(int attempt, double elapsed, double timeout, WineSnapshot snapshot);
    // Drops the supervision display and makes any sample still under way stale.
    void endSupervision();
    void appendSetupLog(QString message);
    // Moves progress up to fraction; it never goes back within an operation.
    void reach(double fraction);

    Services m_services;
    OperationState &m_operation;
    // Changes whenever an attempt starts or ends; a sample reports only while
    // it is unchanged.
    quint64 m_attemptToken = 0;
    bool m_sampling = false;
};
