#include "base/Locations.h"
#include "base/MissingFileError.h"
#include "client/AntiCheatInstallation.h"
#include "client/EACLaunchConfiguration.h"
#include "content/Sha256.h"
#include "content/TransferErrors.h"
#include "support/FileTree.h"
#include "support/Outcome.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

namespace {

using namespace Qt::StringLiterals;
using EACLaunchConfiguration::productID;
using EACLaunchConfiguration::productionRepair;

const QByteArray productionBuild("Velmora production build");
const AntiCheatPins pins{
    .testEnvironment = {u"VelmoraZH_TestEnvironment.exe"_s, QString(32, u'1'), QString(32, u'2'), QString(32, u'3')},
    .production = {u"VelmoraZH_60.exe"_s, QString(32, u'a'), QString(32, u'b'), QString(32, u'c')},
    .productionExecutableSha256 = sha256(productionBuild),
};

QByteArray settingsWith(const EACSettingsValues &values)
{
    return uR"({"title": "V", "executable": "%1", "productid": "%2", "sandboxid": "%3", "deploymentid": "%4", "id": 7})"_s
        .arg(values.executable, values.productID, values.sandboxID, values.deploymentID)
        .toUtf8();
}

// A game folder, and a runtime whose wine records what it was asked to do.
class AntiCheatTest : public testing::Test
{
protected:
    const QString runtime = FileTree::inHome(u"Runtime"_s);
    const QString prefix = FileTree::inHome(u"Prefix"_s);
    const QString game = Locations::gameFolder(prefix);
    const QString settingsFile = game + u"/EasyAntiCheat/Settings.json"_s;
    const QString installer = game + u"/EasyAntiCheat_EOS_Setup.exe"_s;
    const QString wineRecord = FileTree::inHome(u"wine-run"_s);

    void SetUp() override
    {
        FileTree::writeExecutable(
            runtime + u"/bin/wine"_s,
            "#!/bin/sh\n{ printf '%s\\n' \"$@\"; pwd -P; echo \"$WINEPREFIX\"; } >\"$HOME/wine-run\"\n");
    }

    void layOut(const QByteArray &settings, const std::optional<QByteArray> &executable)
    {
        FileTree::writeFile(settingsFile, settings);
        QFile::remove(game + u"/VelmoraZH_60.exe"_s);
        if (executable)
            FileTree::writeFile(game + u"/VelmoraZH_60.exe"_s, *executable);
    }

    Outcome<Completed> install()
    {
        return outcomeOf(installEAC(runtime, prefix, game, pins));
    }

    static QStringList backups() { return QDir(Locations::repairsFolder()).entryList(QDir::Files); }
};

TEST_F(AntiCheatTest, TestSettingsBesideTheProductionBuildAreRewrittenOnceWithABackup)
{
    const QByteArray original = settingsWith(pins.testEnvironment);
    layOut(original, productionBuild);
    EXPECT_EQ(prepareEACConfiguration(game, pins), pins.production.productID);
    const QByteArray rewritten = FileTree::readFile(settingsFile);
    EXPECT_EQ(rewritten, R"({
    "deploymentid": "cccccccccccccccccccccccccccccccc",
    "executable": "VelmoraZH_60.exe",
    "id": 7,
    "productid": "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa",
    "sandboxid": "bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb",
    "title": "V"
}
)");
    const QString backup = backups().value(0);
    EXPECT_EQ(backups().size(), 1);
    EXPECT_THAT(backup.toStdString(),
                testing::MatchesRegex("eac-settings-[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}\\.json"));
    EXPECT_EQ(FileTree::readFile(Locations::repairsFolder() + u'/' + backup), original);

    EXPECT_EQ(prepareEACConfiguration(game, pins), pins.production.productID);
    EXPECT_EQ(FileTree::readFile(settingsFile), rewritten);
    EXPECT_EQ(backups().size(), 1);
}

TEST_F(AntiCheatTest, SettingsStayUnlessAllFourTestValuesMeetTheProductionBuild)
{
    EACSettingsValues sandboxOff = pins.testEnvironment;
    sandboxOff.sandboxID = pins.production.sandboxID;
    const QByteArray test = settingsWith(pins.testEnvironment);
    const QByteArray executableNotText =
        QByteArray(test).replace("\"Velmora", "[\"Velmora").replace(".exe\"", ".exe\"]");
    const std::tuple<QByteArray, std::optional<QByteArray>, QString> cases[] = {
        {test, "Velmora test build", pins.testEnvironment.productID},
        {test, std::nullopt, pins.testEnvironment.productID},
        {settingsWith(pins.production), productionBuild, pins.production.productID},
        {settingsWith(sandboxOff), productionBuild, pins.testEnvironment.productID},
        {executableNotText, productionBuild, pins.testEnvironment.productID},
    };
    for (const auto &[settings, executable, id] : cases) {
        layOut(settings, executable);
        EXPECT_EQ(prepareEACConfiguration(game, pins), id) << settings.constData();
        EXPECT_EQ(FileTree::readFile(settingsFile), settings);
    }
    EXPECT_FALSE(QFileInfo::exists(Locations::repairsFolder()));
    // The digest is compared as written: lowercase.
    EXPECT_FALSE(productionRepair(test, pins.productionExecutableSha256.toUpper(), pins));
    EXPECT_TRUE(productionRepair(test, pins.productionExecutableSha256, pins));
}

TEST(EACLaunchConfiguration, ProductIDIsExactly32HexadecimalDigitsKeptAsWritten)
{
    EXPECT_EQ(productID(R"({"productid": "0123456789ABCDEFabcdef0123456789"})"), u"0123456789ABCDEFabcdef0123456789"_s);
    for (const char *settings : {
             R"({"productid": "0123456789abcdef0123456789abcde"})",
             R"({"productid": "0123456789abcdef0123456789abcdef0"})",
             R"({"productid": "0123456789abcdef0123456789abcdeg"})",
             // 32 characters, but one is a digit outside ASCII.
             "{\"productid\": \"0123456789abcdef0123456789abcde\xd9\xa3\"}",
             R"({"productid": 12345678901234567890123456789012})",
             R"({"productId": "0123456789abcdef0123456789abcdef"})",
             R"(["0123456789abcdef0123456789abcdef"])",
         })
        EXPECT_THROW(productID(settings), CorruptFileError) << settings;
    EXPECT_THROW(productionRepair("[]", std::nullopt, pins), CorruptFileError);
    EXPECT_THROW(productID(R"({"productid": "0123")"), EACSettingsSyntaxError);
    EXPECT_THROW(productionRepair("", std::nullopt, pins), EACSettingsSyntaxError);
}

TEST_F(AntiCheatTest, InstallerRunsUnderWineWithTheProductIDAsWritten)
{
    const QString id = u"0123456789ABCDEF0123456789ABCDEF"_s;
    layOut(uR"({"productid": "%1"})"_s.arg(id).toUtf8(), std::nullopt);
    FileTree::writeFile(installer);
    EXPECT_TRUE(install().value);
    EXPECT_EQ(QString::fromUtf8(FileTree::readFile(wineRecord)).split(u'\n'),
              (QStringList{installer, u"install"_s, id, QFileInfo(game).canonicalFilePath(), prefix, {}}));
}

TEST_F(AntiCheatTest, MissingFilesAndAnUnwritableBackupStopBeforeAnyChange)
{
    EXPECT_THROW(prepareEACConfiguration(game, pins), MissingFileError);
    const QByteArray original = settingsWith(pins.testEnvironment);
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
    EXPECT_FALSE(QFileInfo::exists(wineRecord));
}

} // namespace
