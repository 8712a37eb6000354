#include "content/PortableUserData.h"

#include "base/FileChanges.h"
#include "base/Locations.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString storedCopy(const QString &name)
{
    return QDir(Locations::officialUserDataFolder()).filePath(name);
}

bool itemExists(const QString &path)
{
    const QFileInfo item(path);
    return item.exists() || item.isSymLink();
}

} // namespace

void storeOfficialPortableUserData(const QString &source)
{
    makeFolder(Locations::officialUserDataFolder());
    for (const QString &name : portableUserDataDirectories) {
        const QString item = QDir(source).filePath(name);
        if (!itemExists(item))
            continue;
        removeItem(storedCopy(name));
        moveItem(item, storedCopy(name));
    }
}

void removeLegacyPortableUserData(const QString &game)
{
    for (const QString &name : portableUserDataDirectories) {
        const QString item = QDir(game).filePath(name);
        if (itemExists(storedCopy(name)) && itemExists(item))
            removeItem(item);
    }
}

void migrateLegacyPortableUserData(const QString &game)
{
    // Moved within the home folder, so nothing is ever half copied.
    storeOfficialPortableUserData(game);
}
