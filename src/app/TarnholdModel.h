#pragma once

#include "app/AppSection.h"
#include "base/Catalog.h"
#include "app/ComponentHealth.h"
#include "base/InstalledState.h"
#include "base/Timing.h"
#include "client/ReleaseManifest.h"
#include "content/HttpResponse.h"
#include "maps/InstalledMap.h"
#include "platform/Platform.h"
#include "base/InstallerPhase.h"
#include "setup/SetupStep.h"
#include "setup/SteamSessionPhase.h"

#include <QCoroTask>
#include <QList>
#include <QNetworkRequest>
#include <QObject>
#include <QString>
#include <QUrl>

#include <memory>
#include <optional>

class HttpClient;
class UserFacingError;

// The application model: all state the window shows, and every operation a
// button, menu command or URL can start. It lives on the GUI thread; its
// operations are coroutines that suspend instead of blocking it.
//
// Progress convention shared by every long-running operation: guards set
// errorMessage and return without touching isBusy; beginOperation() starts,
// advance() raises progress within a sub-range (never backwards),
// finishOperation() or failOperation() end it.
class TarnholdModel final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TarnholdModel)

    Q_PROPERTY(AppSection selectedSection READ selectedSection WRITE setSelectedSection NOTIFY selectedSectionChanged)
    Q_PROPERTY(SetupStep setupStep READ setupStep NOTIFY setupStepChanged)
    Q_PROPERTY(bool isBusy READ isBusy NOTIFY isBusyChanged)
    Q_PROPERTY(bool isGameRunning READ isGameRunning NOTIFY isGameRunningChanged)
    Q_PROPERTY(double progress READ progress NOTIFY progressChanged)
    Q_PROPERTY(QString activity READ activity NOTIFY activityChanged)
    Q_PROPERTY(std::optional<QString> errorMessage READ errorMessage WRITE setErrorMessage NOTIFY errorMessageChanged)
    Q_PROPERTY(std::optional<ReleaseManifest> release READ release NOTIFY releaseChanged)
    Q_PROPERTY(InstalledState state READ state NOTIFY stateChanged)
    Q_PROPERTY(QList<ComponentHealth> components READ components NOTIFY componentsChanged)
    Q_PROPERTY(QList<InstalledMap> installedMaps READ installedMaps NOTIFY installedMapsChanged)
    Q_PROPERTY(QString steamAccount READ steamAccount WRITE setSteamAccount NOTIFY steamAccountChanged)
    Q_PROPERTY(SteamSessionPhase steamSessionPhase READ steamSessionPhase NOTIFY steamSessionPhaseChanged)
    Q_PROPERTY(double steamDownloadProgress READ steamDownloadProgress NOTIFY steamDownloadProgressChanged)
    Q_PROPERTY(QString steamTranscript READ steamTranscript NOTIFY steamTranscriptChanged)
    Q_PROPERTY(InstallerPhase installerPhase READ installerPhase NOTIFY installerPhaseChanged)
    Q_PROPERTY(QString resolution READ resolution WRITE setResolution NOTIFY resolutionChanged)
    Q_PROPERTY(
        std::optional<QString> noticeMessage READ noticeMessage WRITE setNoticeMessage NOTIFY noticeMessageChanged)
    Q_PROPERTY(std::optional<QString> progressDetail READ progressDetail NOTIFY progressDetailChanged)
    Q_PROPERTY(bool progressStalled READ progressStalled NOTIFY progressStalledChanged)
    Q_PROPERTY(bool steamTerminalActive READ steamTerminalActive NOTIFY steamTerminalActiveChanged)
    Q_PROPERTY(bool progressIsIndeterminate READ progressIsIndeterminate NOTIFY progressIsIndeterminateChanged)

public:
    explicit TarnholdModel(std::unique_ptr<Platform> platform, Catalog catalog = {}, Timing timing = {},
                           QObject *parent = nullptr);
    ~TarnholdModel() override;

    // The system services the window asks too (appearance, motion).
    Platform &platform() const { return *m_platform; }

    // Published state.
    AppSection selectedSection() const { return m_selectedSection; }
    SetupStep setupStep() const { return m_setupStep; }
    bool isBusy() const { return m_isBusy; }
    bool isGameRunning() const { return m_isGameRunning; }
    double progress() const { return m_progress; }
    QString activity() const { return m_activity; }
    std::optional<QString> errorMessage() const { return m_errorMessage; }
    std::optional<ReleaseManifest> release() const { return m_release; }
    InstalledState state() const { return m_state; }
    QList<ComponentHealth> components() const { return m_components; }
    QList<InstalledMap> installedMaps() const { return m_installedMaps; }
    QString steamAccount() const { return m_steamAccount; }
    SteamSessionPhase steamSessionPhase() const { return m_steamSessionPhase; }
    double steamDownloadProgress() const { return m_steamDownloadProgress; }
    QString steamTranscript() const { return m_steamTranscript; }
    InstallerPhase installerPhase() const { return m_installerPhase; }
    QString resolution() const { return m_resolution; }
    std::optional<QString> noticeMessage() const { return m_noticeMessage; }
    std::optional<QString> progressDetail() const { return m_progressDetail; }
    bool progressStalled() const { return m_progressStalled; }
    bool steamTerminalActive() const { return m_steamTerminalActive; }
    bool progressIsIndeterminate() const { return m_progressIsIndeterminate; }

    // What the user chooses or dismisses.
    void setSelectedSection(AppSection section);
    void setSteamAccount(const QString &account);
    void setResolution(const QString &resolution);
    void setErrorMessage(const std::optional<QString> &message);
    void setNoticeMessage(const std::optional<QString> &message);

    // Derived status, computed on each read.
    bool isReady() const;
    bool hasUpdate() const;
    QString statusTitle() const;

    // Locations that depend on what is installed.
    std::optional<QString> runtimeURL() const;
    std::optional<QString> prefixURL() const;
    std::optional<QString> launcherURL() const;
    bool legacyInstallationPresent() const;

    // The installation record on disk; neither reports failures.
    void loadState();
    void saveState();

    // Rebuilds everything the window shows from disk.
    QCoro::Task<> refresh();
    void refreshComponents();
    void refreshMapLibrary();
    int bundledMapCount() const;

    // Reads the release manifest. Interactive checks show that they run and
    // report failures; silent ones drop them. Never throws.
    QCoro::Task<> checkForUpdates(bool showActivity);

    // Acts on a "tarnhold:" URL opened by another program or a second start.
    void handle(const QUrl &url);

Q_SIGNALS:
    void selectedSectionChanged();
    void setupStepChanged();
    void isBusyChanged();
    void isGameRunningChanged();
    void progressChanged();
    void activityChanged();
    void errorMessageChanged();
    void releaseChanged();
    void stateChanged();
    void componentsChanged();
    void installedMapsChanged();
    void steamAccountChanged();
    void steamSessionPhaseChanged();
    void steamDownloadProgressChanged();
    void steamTranscriptChanged();
    void installerPhaseChanged();
    void resolutionChanged();
    void noticeMessageChanged();
    void progressDetailChanged();
    void progressStalledChanged();
    void steamTerminalActiveChanged();
    void progressIsIndeterminateChanged();

    // A URL asked to bring Tarnhold to the front.
    void activationRequested();

private:
    friend struct ModelTestAccess;

    // Assigns and notifies only on change.
    template <typename T>
    void assign(T &member, const T &value, void (TarnholdModel::*changed)())
    {
        if (member == value)
            return;
        member = value;
        Q_EMIT(this->*changed)();
    }

    void setSetupStep(SetupStep step) { assign(m_setupStep, step, &TarnholdModel::setupStepChanged); }
    void setIsBusy(bool busy) { assign(m_isBusy, busy, &TarnholdModel::isBusyChanged); }
    void setProgress(double progress) { assign(m_progress, progress, &TarnholdModel::progressChanged); }
    void setActivity(const QString &activity) { assign(m_activity, activity, &TarnholdModel::activityChanged); }
    void setState(const InstalledState &state) { assign(m_state, state, &TarnholdModel::stateChanged); }
    void setInstallerPhase(InstallerPhase phase)
    {
        assign(m_installerPhase, phase, &TarnholdModel::installerPhaseChanged);
    }

    // The progress convention.
    void beginOperation(InstallerPhase phase, double startProgress, const QString &activity);
    void advance(double lower, double upper, double fraction);
    void finishOperation(const QString &activity, const std::optional<QString> &notice);
    void failOperation(const QString &prefix, const UserFacingError &error);

    // Records a release archive the user downloaded by hand as installed.
    QCoro::Task<> adoptKnownLocalReleaseIfPossible();

    // Downloads. send() gets one answer, absent when it is not HTTP, and
    // throws when the transfer fails; requestData() paces retries when a site
    // asks it to slow down; verifiedDownload() accepts only the pinned bytes.
    QCoro::Task<std::optional<HttpResponse>> send(QNetworkRequest request);
    QCoro::Task<HttpResponse> requestData(QNetworkRequest request);
    QCoro::Task<QByteArray> verifiedDownload(QUrl from, QString expectedSha256, QString cachedAt);

    std::unique_ptr<Platform> m_platform;
    Catalog m_catalog;
    Timing m_timing;
    // The one HTTP client every download shares.
    HttpClient *m_network;

    AppSection m_selectedSection = AppSection::home;
    SetupStep m_setupStep = SetupStep::checkMac;
    bool m_isBusy = false;
    bool m_isGameRunning = false;
    double m_progress = 0.0;
    QString m_activity = QStringLiteral("Checking installation…");
    std::optional<QString> m_errorMessage;
    std::optional<ReleaseManifest> m_release;
    InstalledState m_state;
    QList<ComponentHealth> m_components;
    QList<InstalledMap> m_installedMaps;
    QString m_steamAccount;
    SteamSessionPhase m_steamSessionPhase;
    double m_steamDownloadProgress = 0.0;
    QString m_steamTranscript;
    InstallerPhase m_installerPhase = InstallerPhase::preparing;
    QString m_resolution = QStringLiteral("2560 × 1440");
    std::optional<QString> m_noticeMessage;
    std::optional<QString> m_progressDetail;
    bool m_progressStalled = false;
    bool m_steamTerminalActive = false;
    bool m_progressIsIndeterminate = false;
};
