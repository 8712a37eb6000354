#include "support/ClientArchive.h"

#include "content/Sha256.h"
#include "support/FileTree.h"

#include <QDir>
#include <QUuid>

namespace ClientArchive {

AntiCheatPins testPins()
{
    return {.testEnvironment = {QStringLiteral("VelmoraZH_TestEnvironment.exe"), QString(32, u'1'), QString(32, u'2'),
                                QString(32, u'3')},
            .production = {QStringLiteral("VelmoraZH_60.exe"), QString(32, u'a'), QString(32, u'b'), QString(32, u'c')},
            .productionExecutableSha256 = sha256("production build")};
}

QByteArray eacSettings(const EACSettingsValues &values)
{
    return QStringLiteral(R"({"title": "Velmora", "executable": "%1", "productid": "%2", "sandboxid": "%3", )"
                          R"("deploymentid": "%4"})")
        .arg(values.executable, values.productID, values.sandboxID, values.deploymentID)
        .toUtf8();
}

QMap<QString, QByteArray> packageFiles()
{
    return {{QStringLiteral("Velmora/EAC_LaunchVelmora.exe"), "launcher"},
            {QStringLiteral("Velmora/EasyAntiCheat_EOS_Setup.exe"), "installer"},
            {QStringLiteral("Velmora/EasyAntiCheat/Settings.json"), eacSettings(testPins().testEnvironment)},
            {QStringLiteral("Velmora/VelmoraZH_60.exe"), "production build"},
            {QStringLiteral("Velmora/Data/INI/GameData.ini"), "client data"},
            {QStringLiteral("Velmora/Maps/Velmora Arena/Velmora Arena.map"), "package map"},
            {QStringLiteral("Velmora/VelmoraGameData/Options.ini"), "package options"},
            {QStringLiteral("Velmora/VelmoraGameData/500_900_CommunityPatch_CoreINI.big"), "community data patch"}};
}

QByteArray zip(const QMap<QString, QByteArray> &files)
{
    const QString folder = FileTree::inHome(QStringLiteral("package-") + QUuid::createUuid().toString(QUuid::Id128));
    for (auto file = files.begin(); file != files.end(); ++file)
        FileTree::writeFile(QDir(folder).filePath(file.key()), file.value());
    const QString archive = folder + QStringLiteral(".zip");
    FileTree::pack(archive, folder, QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot));
    const QByteArray bytes = FileTree::readFile(archive);
    QDir(folder).removeRecursively();
    QFile::remove(archive);
    return bytes;
}

ReleaseManifest manifestFor(const QByteArray &archive, const QUrl &downloadURL, const QString &version)
{
    return {version, downloadURL.toString(), archive.size(), QStringLiteral("Notes"), sha256(archive)};
}

} // namespace ClientArchive
