#include "setup/SteamTerminalWatch.h"

#include "base/SmallFile.h"
#include "setup/SteamGameFolder.h"
#include "setup/SteamTerminalScript.h"

#include <QFile>
#include <QPointer>

#include <optional>

namespace {

std::optional<QString> readText(const QString &path)
{
    const std::optional<QByteArray> bytes = readSmallFile(path, recordSizeLimit);
    return bytes ? std::optional(QString::fromUtf8(*bytes)) : std::nullopt;
}

} // namespace

SteamTerminalWatch::SteamTerminalWatch(QString scriptFile, QString resultFile, QString gameFolder,
                                       std::chrono::milliseconds interval, QObject *parent)
    : QObject(parent)
    , m_scriptFile(std::move(scriptFile))
    , m_resultFile(std::move(resultFile))
    , m_gameFolder(std::move(gameFolder))
{
    m_timer.setInterval(interval);
    connect(&m_timer, &QTimer::timeout, this, &SteamTerminalWatch::poll);
}

void SteamTerminalWatch::start()
{
    m_timer.start();
}

void SteamTerminalWatch::poll()
{
    if (const std::optional<QString> manifest = readText(SteamGameFolder::manifestFile(m_gameFolder))) {
        if (const std::optional<double> fraction = steamManifestProgress(*manifest)) {
            // A receiver may end the watch by destroying it.
            const QPointer<SteamTerminalWatch> alive(this);
            emit manifestRead(*fraction);
            if (!alive)
                return;
        }
    }

    const std::optional<QString> result = readText(m_resultFile);
    std::optional<qint32> status = result ? steamTerminalStatus(*result) : std::nullopt;
    if (status)
        QFile::remove(m_resultFile);
    else if (QFile::exists(m_scriptFile))
        return;
    else
        status = SteamGameFolder::isComplete(m_gameFolder) ? 0 : -1;
    m_timer.stop();
    emit finished(*status);
}
