#include "base/Locations.h"
#include "client/OnlineClientInstaller.h"
#include "client/UpdateChannel.h"
#include "content/PortableUserData.h"
#include "content/TransferErrors.h"
#include "process/ProcessRunnerError.h"
#include "support/ClientArchive.h"
#include "support/FileTree.h"
#include "support/Outcome.h"
#include "support/TestServices.h"
#include "support/WineRuntimeFixture.h"

#include <gtest/gtest.h>

#include <QDir>

namespace {

using namespace Qt::StringLiterals;

class OnlineClientInstallation : public testing::Test, protected TestServices
{
protected:
    const WineRuntimeFixture wine{FileTree::inHome(u"Runtime"_s)};
    const QString prefix = FileTree::inHome(u"Prefix"_s);
    const QString game = prefix + u"/drive_c/GeneralsZH"_s;
    const QString downloads = Locations::downloadsFolder();
    const QString store = Locations::officialUserDataFolder();

    OnlineClientInstallation()
    {
        catalog.antiCheat = ClientArchive::testPins();
        FileTree::writeFile(game + u"/Data/INI/GameData.ini"_s, "old client data");
        FileTree::writeFile(game + u"/Player notes.txt"_s, "mine");
    }

    // Publishes a release of this archive. The channel writes its digests in
    // capitals; Tarnhold's own are small.
    void publish(const QByteArray &archive, const QString &version = u"1.2"_s)
    {
        ReleaseManifest manifest = ClientArchive::manifestFor(archive, server.url(u"/client.zip"_s), version);
        manifest.sha256 = manifest.sha256.toUpper();
        server.route(u"/channel/manifest.json"_s, FixtureResponse(200, {}, encodeReleaseManifest(manifest)));
        server.route(u"/client.zip"_s, FixtureResponse(200, {}, archive));
    }

    Outcome<Completed> install()
    {
        // Made anew for each installation, so each reads the manifest again.
        UpdateChannel updates(services(), operation);
        OnlineClientInstaller installer(services(), operation, updates);
        return outcomeOf(installer.installLatestPatch(wine.runtime(), prefix, game, 0.46, 0.78));
    }

    QStringList downloaded() const { return QDir(downloads).entryList(QDir::AllEntries | QDir::NoDotAndDotDot); }
};

// The package's user-data folders replace the stored ones; a folder the
// package lacks is kept as stored.
TEST_F(OnlineClientInstallation, InstallsTheClientFolderOverTheGameAndFilesTheUserData)
{
    FileTree::writeFile(store + u"/Maps/Old/Old.map"_s);
    FileTree::writeFile(store + u"/VelmoraGameData/Mine.ini"_s, "kept");
    QMap<QString, QByteArray> files = ClientArchive::packageFiles();
    files.removeIf([](const auto &file) { return file.key().startsWith(u"Velmora/VelmoraGameData/"_s); });
    const QByteArray archive = ClientArchive::zip(files);
    publish(archive);
    ASSERT_EQ(install().error, nullptr);

    EXPECT_EQ(FileTree::readFile(game + u"/EAC_LaunchVelmora.exe"_s), "launcher") << "the top folder's contents";
    EXPECT_EQ(FileTree::readFile(game + u"/Data/INI/GameData.ini"_s), "client data");
    EXPECT_EQ(FileTree::readFile(game + u"/Player notes.txt"_s), "mine");
    for (const QString &name : portableUserDataDirectories)
        EXPECT_FALSE(QFileInfo::exists(game + u'/' + name)) << name.toStdString();
    EXPECT_EQ(FileTree::readFile(store + u"/Maps/Velmora Arena/Velmora Arena.map"_s), "package map");
    EXPECT_FALSE(QFileInfo::exists(store + u"/Maps/Old"_s));
    EXPECT_EQ(FileTree::readFile(store + u"/VelmoraGameData/Mine.ini"_s), "kept");
    EXPECT_EQ(FileTree::readFile(downloads + u"/Velmora_1.2.zip"_s), archive);

    // The package carries the production build, so it starts in production.
    EXPECT_EQ(wine.recorded(u"wine-arguments"_s),
              QStringList(game + u"/EasyAntiCheat_EOS_Setup.exe\tinstall\t"_s + QString(32, u'a')));
    EXPECT_EQ(record.state().velmoraVersion, u"1.2"_s);
    EXPECT_DOUBLE_EQ(operation.progress(), 0.78);
    EXPECT_EQ(operation.activity(), u"Online client installed"_s);
}

// Each way a download fails leaves no file behind: not the archive, not a
// partial copy of it.
TEST_F(OnlineClientInstallation, AFailureKeepsNothingButAVerifiedArchive)
{
    const QByteArray archive = ClientArchive::zip(ClientArchive::packageFiles());
    publish(archive);
    QByteArray altered = archive;
    altered[altered.size() / 2] = char(altered[altered.size() / 2] ^ 1);
    FixtureResponse cutShort(200, {}, archive);
    cutShort.truncateAfter = archive.size() / 2;
    const FixtureResponse answers[] = {
        {200, {}, archive + 'x'}, {200, {}, archive.chopped(1)}, {200, {}, altered}, {404, {}, archive}, cutShort};
    for (const FixtureResponse &answer : answers) {
        server.route(u"/client.zip"_s, answer);
        const Outcome<Completed> outcome = install();
        EXPECT_NE(outcome.error, nullptr);
        EXPECT_EQ(outcome.failure<CorruptFileError>().has_value(), answer.status == 200 && !answer.truncateAfter);
        EXPECT_TRUE(downloaded().isEmpty()) << downloaded().join(u", "_s).toStdString();
    }

    // After the download, a failure keeps the archive and removes the staging
    // and set-aside folders; an archive whose entries would land outside its
    // folder is refused before anything is unpacked.
    QMap<QString, QByteArray> withoutLauncher = ClientArchive::packageFiles();
    withoutLauncher.remove(u"Velmora/EAC_LaunchVelmora.exe"_s);
    // zip stores the names as given; the same-length stand-ins become a
    // parent step and an absolute path once written.
    QMap<QString, QByteArray> escaping = ClientArchive::packageFiles();
    escaping.insert(u"AAAescaped"_s, "outside");
    escaping.insert(u"Xtmp-escaped"_s, "outside");
    const QByteArray escapingArchive =
        ClientArchive::zip(escaping).replace("AAAescaped", "../escaped").replace("Xtmp-escaped", "/tmp-escaped");
    // Unzip's own complaint is its own; only that it ran and failed counts.
    const std::pair<QByteArray, QString> archives[] = {
        {"not a zip", ProcessRunnerError::failed(9, {}).description()},
        {ClientArchive::zip(withoutLauncher), CorruptFileError().description()},
        {escapingArchive,
         u"The archive “Velmora_1.2.zip” contains files that would be placed outside its own folder."_s}};
    for (const auto &[broken, description] : archives) {
        publish(broken);
        const Outcome<Completed> outcome = install();
        const auto unzipFailure = outcome.failure<ProcessRunnerError>();
        EXPECT_EQ(unzipFailure ? ProcessRunnerError::failed(9, {}).description()
                               : outcome.failure<UserFacingError>()->description(),
                  description);
        EXPECT_EQ(downloaded(), QStringList(u"Velmora_1.2.zip"_s));
    }
    EXPECT_FALSE(QFileInfo::exists(Locations::supportFolder() + u"/escaped"_s));
    EXPECT_FALSE(QFileInfo::exists(u"/tmp-escaped"_s));
    EXPECT_EQ(FileTree::readFile(game + u"/Data/INI/GameData.ini"_s), "old client data");

    // The client is in place once the anti-cheat fails; the record still
    // names the version before.
    wine.setScenario("status=3");
    publish(archive);
    EXPECT_EQ(install().failure<ProcessRunnerError>()->status(), 3);
    EXPECT_EQ(FileTree::readFile(game + u"/Data/INI/GameData.ini"_s), "client data");
    EXPECT_EQ(downloaded(), QStringList(u"Velmora_1.2.zip"_s));
    EXPECT_FALSE(record.state().velmoraVersion.has_value());

    // The version names the kept archive, so it must not lead elsewhere.
    publish(archive, u"1.2/../../../Elsewhere"_s);
    EXPECT_EQ(install().failure<UserFacingError>()->description(),
              u"The release manifest’s version “1.2/../../../Elsewhere” cannot be used in a file name."_s);
    EXPECT_EQ(downloaded(), QStringList(u"Velmora_1.2.zip"_s));
}

// A copy in the game folder stays until the store has one.
TEST(PortableUserData, TheGameFoldersCopyIsRemovedOnlyOnceStored)
{
    const QString game = FileTree::inHome(u"game"_s);
    FileTree::writeFile(game + u"/Maps/Mine/Mine.map"_s, "mine");
    FileTree::writeFile(game + u"/VelmoraGameData/Options.ini"_s, "options");
    FileTree::writeFile(Locations::officialUserDataFolder() + u"/VelmoraGameData/Options.ini"_s, "stored");
    removeLegacyPortableUserData(game);
    EXPECT_EQ(FileTree::readFile(game + u"/Maps/Mine/Mine.map"_s), "mine");
    EXPECT_FALSE(QFileInfo::exists(game + u"/VelmoraGameData"_s));
}

} // namespace
