#pragma once

#include "content/Services.h"

#include <QCoroTask>
#include <QObject>
#include <QString>

class OperationState;
class RankedMaps;
class ThreePlayerMaps;

// The official multiplayer profile: the current ranked maps, the online
// client's official maps, the pinned three-player maps when chosen, the
// community data patch switched on, and Control Bar Pro with GenTool in the
// game folder for the chosen resolution. Every installation trashes the maps
// the one before installed, so maps dropped from a release leave the game.
class CommunityContent final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CommunityContent)

    Q_PROPERTY(QString resolution READ resolution WRITE setResolution NOTIFY resolutionChanged)

public:
    CommunityContent(Services services, OperationState &operation, QObject *parent = nullptr);
    ~CommunityContent() override;

    // The game's chosen resolution: width, " × ", height. The interface
    // package is prepared for it.
    QString resolution() const { return m_resolution; }
    void setResolution(const QString &resolution);

    // The user's command restoring the profile; runs detached and reports
    // through the operation.
    void installCommunityContent();
    // The profile as a step of a longer operation, moving progress within
    // lower..upper; throws what goes wrong for the caller to report.
    QCoro::Task<> installCommunityContent(QString game, double lower, double upper);

    RankedMaps &rankedMaps() const { return *m_rankedMaps; }
    ThreePlayerMaps &threePlayerMaps() const { return *m_threePlayerMaps; }

Q_SIGNALS:
    void resolutionChanged();

private:
    QCoro::Task<> restoreProfile(QString game);

    Services m_services;
    OperationState &m_operation;
    RankedMaps *m_rankedMaps;
    ThreePlayerMaps *m_threePlayerMaps;
    QString m_resolution = QStringLiteral("2560 × 1440");
};
