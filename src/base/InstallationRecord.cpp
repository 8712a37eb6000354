#include "base/InstallationRecord.h"

#include "base/Locations.h"
#include "base/SmallFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

InstallationRecord::InstallationRecord(QObject *parent)
    : QObject(parent)
{}

InstallationRecord::~InstallationRecord() = default;

void InstallationRecord::setState(const InstalledState &state)
{
    if (m_state == state)
        return;
    m_state = state;
    Q_EMIT stateChanged();
}

void InstallationRecord::load()
{
    const std::optional<QByteArray> bytes = readSmallFile(Locations::stateFile(), recordSizeLimit);
    if (!bytes)
        return;
    if (const std::optional<InstalledState> state = decodeInstalledState(*bytes))
        setState(*state);
}

void InstallationRecord::save() const
{
    if (!QDir().mkpath(Locations::supportFolder()))
        return;
    // QSaveFile replaces a link's target. A link to anything but a regular
    // file is damage to replace, not a place to write.
    const QFileInfo existing(Locations::stateFile());
    if (existing.isSymLink() && !existing.isFile())
        QFile::remove(existing.filePath());
    QSaveFile file(Locations::stateFile());
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(encodeInstalledState(m_state));
    file.commit();
}
