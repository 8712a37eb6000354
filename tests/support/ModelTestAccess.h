#pragma once

#include "app/TarnholdModel.h"

// Reaches the model's private setters and progress helpers, so tests can put
// it into states that only later operations produce.
struct ModelTestAccess
{
    static void setBusy(TarnholdModel &model, bool busy) { model.setIsBusy(busy); }
    static void setGameRunning(TarnholdModel &model, bool running)
    {
        model.assign(model.m_isGameRunning, running, &TarnholdModel::isGameRunningChanged);
    }
    static void setActivity(TarnholdModel &model, const QString &activity) { model.setActivity(activity); }
    static void setRelease(TarnholdModel &model, const std::optional<ReleaseManifest> &release)
    {
        model.assign(model.m_release, release, &TarnholdModel::releaseChanged);
    }
    static void setState(TarnholdModel &model, const InstalledState &state) { model.setState(state); }
    // What only the prefix creation reports.
    static void setPrefixProgress(TarnholdModel &model, bool indeterminate, const std::optional<QString> &detail,
                                  bool stalled)
    {
        model.assign(model.m_progressIsIndeterminate, indeterminate, &TarnholdModel::progressIsIndeterminateChanged);
        model.assign(model.m_progressDetail, detail, &TarnholdModel::progressDetailChanged);
        model.assign(model.m_progressStalled, stalled, &TarnholdModel::progressStalledChanged);
    }

    static void beginOperation(TarnholdModel &model, InstallerPhase phase, double start, const QString &activity)
    {
        model.beginOperation(phase, start, activity);
    }
    static void advance(TarnholdModel &model, double lower, double upper, double fraction)
    {
        model.advance(lower, upper, fraction);
    }
    static void finishOperation(TarnholdModel &model, const QString &activity, const std::optional<QString> &notice)
    {
        model.finishOperation(activity, notice);
    }
    static void failOperation(TarnholdModel &model, const QString &prefix, const UserFacingError &error)
    {
        model.failOperation(prefix, error);
    }

    static QCoro::Task<HttpResponse> requestData(TarnholdModel &model, const QNetworkRequest &request)
    {
        return model.requestData(request);
    }
    static QCoro::Task<QByteArray> verifiedDownload(TarnholdModel &model, const QUrl &from, const QString &sha256,
                                                    const QString &cachedAt)
    {
        return model.verifiedDownload(from, sha256, cachedAt);
    }
};
