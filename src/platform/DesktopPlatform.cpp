#include "platform/DesktopPlatform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

namespace {

// The folder the setup will create may not exist yet; the volume that will
// hold it is the one of its nearest existing ancestor.
QString nearestExistingPath(const QString &path)
{
    if (path.isEmpty())
        return {};
    QString candidate = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    while (!QFileInfo::exists(candidate)) {
        const QString parent = QFileInfo(candidate).path();
        if (parent == candidate)
            return {};
        candidate = parent;
    }
    return candidate;
}

} // namespace

std::optional<qint64> DesktopPlatform::availableCapacity(const QString &path) const
{
    const QString existing = nearestExistingPath(path);
    if (existing.isEmpty())
        return std::nullopt;
    const QStorageInfo volume(existing);
    if (!volume.isValid() || !volume.isReady() || volume.bytesAvailable() < 0)
        return std::nullopt;
    return volume.bytesAvailable();
}

bool DesktopPlatform::moveToTrash(const QString &path, QString *error)
{
    // Never fall back to deleting: on Linux the Trash only renames, which
    // fails across file systems, and the item must then stay where it is.
    QFile item(path);
    if (prepareTrash() && item.moveToTrash())
        return true;
    if (error) {
        const QFileInfo info(QDir::cleanPath(path));
        const QString name = info.fileName().isEmpty() ? info.filePath() : info.fileName();
        *error = info.exists() || info.isSymLink()
                     ? QStringLiteral("“%1” could not be moved to the Trash and was left where it is.").arg(name)
                     : QStringLiteral("“%1” could not be moved to the Trash because it does not exist.").arg(name);
    }
    return false;
}

void DesktopPlatform::quitApplication()
{
    // Queued, so the caller finishes its own work before the event loop ends.
    if (auto *application = QCoreApplication::instance())
        QMetaObject::invokeMethod(application, &QCoreApplication::quit, Qt::QueuedConnection);
}

// TARNHOLD_REDUCED_MOTION=1 forces reduced motion, whatever the system says.
bool DesktopPlatform::prefersReducedMotion() const
{
    return qEnvironmentVariableIntValue("TARNHOLD_REDUCED_MOTION") != 0 || systemPrefersReducedMotion();
}

std::optional<bool> DesktopPlatform::darkAppearanceOverride()
{
    const QString appearance = qEnvironmentVariable("TARNHOLD_APPEARANCE");
    if (appearance == u"dark")
        return true;
    if (appearance == u"light")
        return false;
    return std::nullopt;
}

ToolCommand DesktopPlatform::listZipCommand(const QString &archive) const
{
    return {toolProgram(QStringLiteral("unzip")), {QStringLiteral("-Z1"), archive}};
}

ToolCommand DesktopPlatform::zipTotalsCommand(const QString &archive) const
{
    return {toolProgram(QStringLiteral("unzip")), {QStringLiteral("-Zt"), archive}};
}

ToolCommand DesktopPlatform::untarCommand(const QString &archive, const QString &destination, int stripComponents) const
{
    // Both GNU tar and bsdtar detect the compression themselves, and both
    // know "--strip-components".
    QStringList arguments{QStringLiteral("-xf"), archive, QStringLiteral("-C"), destination};
    if (stripComponents > 0)
        arguments << QStringLiteral("--strip-components") << QString::number(stripComponents);
    return {toolProgram(QStringLiteral("tar")), arguments};
}

ToolCommand DesktopPlatform::listProcessesCommand() const
{
    return {toolProgram(QStringLiteral("ps")), {QStringLiteral("-axo"), QStringLiteral("pid=,pcpu=,command=")}};
}
