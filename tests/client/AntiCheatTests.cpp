#include "base/Locations.h"
#include "base/MissingFileError.h"
#include "client/AntiCheatInstallation.h"
#include "client/EACLaunchConfiguration.h"
#include "content/TransferErrors.h"
#include "support/ClientArchive.h"
#include "support/FileTree.h"
#include "support/Outcome.h"
#include "support/WineRuntimeFixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QJsonDocument>

namespace {

using namespace Qt::StringLiterals;
using ClientArchive::eacSettings;
using EACLaunchConfiguration::productID;

// The production build is the file whose digest the pins hold.
const AntiCheatPins pins = ClientArchive::testPins();
const QByteArray productionBuild("production build");

// A game folder, and the fake Wine runtime, which records what it runs.
class AntiCheatTest : public testing::Test
{
protected:
    const WineRuntimeFixture wine{FileTree::inHome(u"Runtime"_s)};
    const QString prefix = FileTree::inHome(u"Prefix"_s);
    const QString game = Locations::gameFolder(prefix);
    const QString settingsFile = game + u"/EasyAntiCheat/Settings.json"_s;
    const QString installer = game + u"/EasyAntiCheat_EOS_Setup.exe"_s;

    void layOut(const QByteArray &settings, const std::optional<QByteArray> &executable)
    {
        FileTree::writeFile(settingsFile, settings);
        QFile::remove(game + u"/VelmoraZH_60.exe"_s);
        if (executable)
            FileTree::writeFile(game + u"/VelmoraZH_60.exe"_s, *executable);
    }

    Outcome<Completed> install() { return outcomeOf(installEAC(wine.runtime(), prefix, game, pins)); }
};

// The fuzzer checks that whatever is accepted is 32 hexadecimal digits; these
// are the refusals its seeds do not reach, and which error each one is.
TEST(EACLaunchConfiguration, ProductIDIsExactly32HexadecimalDigitsKeptAsWritten)
{
    EXPECT_EQ(productID(R"({"productid": "0123456789ABCDEFabcdef0123456789"})"), u"0123456789ABCDEFabcdef0123456789"_s);
    for (const char *settings : {
             R"({"productid": "0123456789abcdef0123456789abcde"})",
             // 32 characters, but one is a digit outside ASCII.
             "{\"productid\": \"0123456789abcdef0123456789abcde\xd9\xa3\"}",
             R"({"productId": "0123456789abcdef0123456789abcdef"})",
             R"(["0123456789abcdef0123456789abcdef"])",
         })
        EXPECT_THROW(productID(settings), CorruptFileError) << settings;
    EXPECT_THROW(productID(R"({"productid": "0123")"), EACSettingsSyntaxError);
}

// Only all four test values beside the pinned production build are rewritten,
// once, after a backup of the file as it was.
TEST_F(AntiCheatTest, OnlyTestSettingsBesideTheProductionBuildAreRewritten)
{
    EACSettingsValues sandboxOff = pins.testEnvironment;
    sandboxOff.sandboxID = pins.production.sandboxID;
    const QByteArray test = eacSettings(pins.testEnvironment);
    const QByteArray executableNotText =
        QByteArray(test).replace("\"VelmoraZH", "[\"VelmoraZH").replace(".exe\"", ".exe\"]");
    const std::tuple<QByteArray, std::optional<QByteArray>, QString> kept[] = {
        {test, "test build", pins.testEnvironment.productID},
        {test, std::nullopt, pins.testEnvironment.productID},
        {eacSettings(pins.production), productionBuild, pins.production.productID},
        {eacSettings(sandboxOff), productionBuild, pins.testEnvironment.productID},
        {executableNotText, productionBuild, pins.testEnvironment.productID},
    };
    for (const auto &[settings, executable, id] : kept) {
        layOut(settings, executable);
        EXPECT_EQ(prepareEACConfiguration(game, pins), id) << settings.constData();
        EXPECT_EQ(FileTree::readFile(settingsFile), settings);
    }
    EXPECT_FALSE(QFileInfo::exists(Locations::repairsFolder()));

    layOut(test, productionBuild);
    EXPECT_EQ(prepareEACConfiguration(game, pins), pins.production.productID);
    EXPECT_EQ(prepareEACConfiguration(game, pins), pins.production.productID);
    EXPECT_EQ(QJsonDocument::fromJson(FileTree::readFile(settingsFile)),
              QJsonDocument::fromJson(eacSettings(pins.production)));
    const QStringList backups = QDir(Locations::repairsFolder()).entryList(QDir::Files);
    ASSERT_EQ(backups.size(), 1);
    EXPECT_THAT(backups[0].toStdString(),
                testing::MatchesRegex("eac-settings-[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}\\.json"));
    EXPECT_EQ(FileTree::readFile(Locations::repairsFolder() + u'/' + backups[0]), test);
}

// Nothing runs, and the settings stay, until the settings, the installer and
// the backup are in place; then the installer runs under Wine in the game
// folder.
TEST_F(AntiCheatTest, TheInstallerRunsOnceEverythingIsInPlace)
{
    EXPECT_THROW(prepareEACConfiguration(game, pins), MissingFileError);
    const QByteArray original = eacSettings(pins.testEnvironment);
    layOut(original, productionBuild);
    const auto missingInstaller = install().failure<MissingFileError>();
    ASSERT_TRUE(missingInstaller);
    EXPECT_EQ(missingInstaller->description(),
              u"The file “EasyAntiCheat_EOS_Setup.exe” couldn’t be opened because there is no such file."_s);

    FileTree::writeFile(Locations::repairsFolder());
    FileTree::writeFile(installer);
    const auto unwritableBackup = install().failure<UserFacingError>();
    ASSERT_TRUE(unwritableBackup);
    EXPECT_EQ(unwritableBackup->description(),
              u"Tarnhold could not create the folder “%1”."_s.arg(Locations::repairsFolder()));
    EXPECT_EQ(FileTree::readFile(settingsFile), original);
    EXPECT_TRUE(wine.recorded(u"wine-arguments"_s).isEmpty());

    QFile::remove(Locations::repairsFolder());
    EXPECT_TRUE(install().value);
    EXPECT_EQ(wine.recorded(u"wine-arguments"_s),
              QStringList(installer + u"\tinstall\t"_s + pins.production.productID));
    EXPECT_TRUE(wine.recorded(u"wine-environment"_s).contains(u"PWD="_s + QFileInfo(game).canonicalFilePath()));
}

} // namespace
