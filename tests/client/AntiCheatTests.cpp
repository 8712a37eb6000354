#include "base/Locations.h"
#include "base/MissingFileError.h"
#include "client/AntiCheatInstallation.h"
#include "client/EACLaunchConfiguration.h"
#include "content/Sha256.h"
#include "content/TransferErrors.h"
#include "support/FileTree.h"
#include "support/Outcome.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

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
    return (uR"({"title": "Velmora", "executable": "%1", "productid": "%2", "sandboxid": "%3",)"
            uR"( "deploymentid": "%4", "clientid": "fe", "wait": {"z": 1, "a": [2]}})"_s)
        .arg(values.executable, values.productID, values.sandboxID, values.deploymentID)
        .toUtf8();
}

// The description of the Error that call throws; absent when it throws
// nothing or something else.
template <typename Error, typename Call>
std::optional<QString> failureOf(Call call)
{
    try {
        call();
    } catch (const Error &error) {
        return error.description();
    } catch (...) {
    }
    return std::nullopt;
}

class AntiCheatTest : public testing::Test
{
protected:
    const QString prefix = FileTree::inHome(u"Prefix"_s);
    const QString game = Locations::gameFolder(prefix);
    const QString settingsFile = game + u"/EasyAntiCheat/Settings.json"_s;

    void layOut(const QByteArray &settings, const std::optional<QByteArray> &executable)
    {
        FileTree::writeFile(settingsFile, settings);
        QFile::remove(game + u"/VelmoraZH_60.exe"_s);
        if (executable)
            FileTree::writeFile(game + u"/VelmoraZH_60.exe"_s, *executable);
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
    "clientid": "fe",
    "deploymentid": "cccccccccccccccccccccccccccccccc",
    "executable": "VelmoraZH_60.exe",
    "productid": "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa",
    "sandboxid": "bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb",
    "title": "Velmora",
    "wait": {
        "a": [
            2
        ],
        "z": 1
    }
}
)");
    ASSERT_EQ(backups().size(), 1);
    EXPECT_TRUE(QRegularExpression(u"^eac-settings-[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}\\.json$"_s)
                    .match(backups().first())
                    .hasMatch())
        << backups().first().toStdString();
    EXPECT_EQ(FileTree::readFile(Locations::repairsFolder() + u'/' + backups().first()), original);

    EXPECT_EQ(prepareEACConfiguration(game, pins), pins.production.productID);
    EXPECT_EQ(FileTree::readFile(settingsFile), rewritten);
    EXPECT_EQ(backups().size(), 1);
}

TEST_F(AntiCheatTest, SettingsStayUnlessAllFourTestValuesMeetTheProductionBuild)
{
    EACSettingsValues sandboxOff = pins.testEnvironment;
    sandboxOff.sandboxID = pins.production.sandboxID;
    QByteArray executableNotText = settingsWith(pins.testEnvironment);
    executableNotText.replace(R"("VelmoraZH_TestEnvironment.exe")", R"(["VelmoraZH_TestEnvironment.exe"])");
    const std::tuple<QByteArray, std::optional<QByteArray>, QString> cases[] = {
        {settingsWith(pins.testEnvironment), "Velmora test build", pins.testEnvironment.productID},
        {settingsWith(pins.testEnvironment), std::nullopt, pins.testEnvironment.productID},
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
    const QByteArray settings = settingsWith(pins.testEnvironment);
    EXPECT_FALSE(productionRepair(settings, pins.productionExecutableSha256.toUpper(), pins));
    EXPECT_TRUE(productionRepair(settings, pins.productionExecutableSha256, pins));
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
        EXPECT_TRUE(failureOf<CorruptFileError>([&] { productID(settings); })) << settings;
    EXPECT_TRUE(failureOf<CorruptFileError>([] { productionRepair("[]", std::nullopt, pins); }));
    const QString syntax = u"The anti-cheat settings “EasyAntiCheat/Settings.json” aren’t valid JSON."_s;
    EXPECT_EQ(failureOf<EACSettingsSyntaxError>([] { productID(R"({"productid": "0123")"); }), syntax);
    EXPECT_EQ(failureOf<EACSettingsSyntaxError>([] { productionRepair("", std::nullopt, pins); }), syntax);
}

// The runtime's wine records what it was asked to do.
class InstallEACTest : public AntiCheatTest
{
protected:
    const QString runtime = FileTree::inHome(u"Runtime"_s);
    const QString record = FileTree::inHome(u"wine-run"_s);

    void SetUp() override
    {
        FileTree::writeExecutable(
            runtime + u"/bin/wine"_s,
            "#!/bin/sh\n{ printf '%s\\n' \"$@\"; pwd -P; echo \"$WINEPREFIX\"; } >\"$HOME/wine-run\"\n");
    }

    Outcome<bool> install()
    {
        return outcomeOf([](QString runtime, QString prefix, QString game) -> QCoro::Task<bool> {
            co_await installEAC(runtime, prefix, game, pins);
            co_return true;
        }(runtime, prefix, game));
    }
};

TEST_F(InstallEACTest, RunsTheInstallerUnderWineWithTheProductIDAsWritten)
{
    const QString id = u"0123456789ABCDEF0123456789ABCDEF"_s;
    layOut(uR"({"productid": "%1"})"_s.arg(id).toUtf8(), std::nullopt);
    FileTree::writeFile(game + u"/EasyAntiCheat_EOS_Setup.exe"_s);
    EXPECT_TRUE(install().value);
    const QString installer = game + u"/EasyAntiCheat_EOS_Setup.exe"_s;
    EXPECT_EQ(QString::fromUtf8(FileTree::readFile(record)).split(u'\n'),
              (QStringList{installer, u"install"_s, id, QFileInfo(game).canonicalFilePath(), prefix, {}}));
}

TEST_F(InstallEACTest, MissingFilesAndAnUnwritableBackupStopBeforeAnyChange)
{
    EXPECT_EQ(failureOf<MissingFileError>([this] { prepareEACConfiguration(game, pins); }),
              u"The file “Settings.json” couldn’t be opened because there is no such file."_s);

    const QByteArray original = settingsWith(pins.testEnvironment);
    layOut(original, productionBuild);
    const auto missingInstaller = install().failure<MissingFileError>();
    ASSERT_TRUE(missingInstaller);
    EXPECT_EQ(missingInstaller->description(),
              u"The file “EasyAntiCheat_EOS_Setup.exe” couldn’t be opened because there is no such file."_s);
    EXPECT_FALSE(QFileInfo::exists(record));

    FileTree::writeFile(Locations::repairsFolder());
    FileTree::writeFile(game + u"/EasyAntiCheat_EOS_Setup.exe"_s);
    const auto unwritableBackup = install().failure<UserFacingError>();
    ASSERT_TRUE(unwritableBackup);
    EXPECT_EQ(unwritableBackup->description(),
              u"Tarnhold could not create the folder “%1”."_s.arg(Locations::repairsFolder()));
    EXPECT_EQ(FileTree::readFile(settingsFile), original);
    EXPECT_FALSE(QFileInfo::exists(record));
}

} // namespace
