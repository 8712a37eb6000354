#include "client/AntiCheatInstallation.h"

#include "base/FileChanges.h"
#include "base/Locations.h"
#include "base/MissingFileError.h"
#include "base/SmallFile.h"
#include "client/EACLaunchConfiguration.h"
#include "content/Sha256.h"
#include "process/ProcessRunner.h"
#include "process/WineEnvironment.h"

#include <QDir>
#include <QFileInfo>
#include <QUuid>

namespace {

const QString settingsFileName = QStringLiteral("EasyAntiCheat/Settings.json");
const QString installerFileName = QStringLiteral("EasyAntiCheat_EOS_Setup.exe");

QByteArray readSettings(const QString &path)
{
    // A settings file is a few hundred bytes; the cap keeps a damaged or
    // planted huge file from filling memory.
    if (std::optional<QByteArray> settings = readSmallFile(path, recordSizeLimit))
        return *settings;
    if (!QFileInfo::exists(path))
        throw MissingFileError(QFileInfo(path).fileName());
    throw UserFacingError(QStringLiteral("Tarnhold could not read “%1”.").arg(QDir::toNativeSeparators(path)));
}

std::optional<QString> productionExecutableSha256(const QString &game, const AntiCheatPins &pins)
{
    const QString path = game + u'/' + pins.production.executable;
    // Opening a FIFO for reading would wait for a writer.
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    return fileSha256(path);
}

} // namespace

QString prepareEACConfiguration(const QString &game, const AntiCheatPins &pins)
{
    const QString settingsPath = game + u'/' + settingsFileName;
    const QByteArray settings = readSettings(settingsPath);
    const std::optional<QByteArray> repaired =
        EACLaunchConfiguration::productionRepair(settings, productionExecutableSha256(game, pins), pins);
    if (!repaired)
        return EACLaunchConfiguration::productID(settings);

    // The backup is written first, so a failure leaves the settings as read.
    const QString repairs = Locations::repairsFolder();
    makeFolder(repairs);
    replaceFile(repairs + QStringLiteral("/eac-settings-")
                    + QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper() + QStringLiteral(".json"),
                settings);
    replaceFile(settingsPath, *repaired);
    return EACLaunchConfiguration::productID(*repaired);
}

QCoro::Task<> installEAC(QString runtime, QString prefix, QString game, AntiCheatPins pins)
{
    const QString installer = game + u'/' + installerFileName;
    if (!fileExists(installer))
        throw MissingFileError(installerFileName);
    // GCC 12 cannot build a braced list inside a co_await.
    const QStringList arguments{installer, QStringLiteral("install"), prepareEACConfiguration(game, pins)};
    co_await ProcessRunner::run(runtime + QStringLiteral("/bin/wine"), arguments, wineEnvironment(runtime, prefix),
                                game);
}
