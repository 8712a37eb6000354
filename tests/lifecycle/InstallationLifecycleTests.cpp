#include "base/Locations.h"
#include "client/OnlineClientInstaller.h"
#include "client/UpdateChannel.h"
#include "content/CommunityContent.h"
#include "lifecycle/InstallationLifecycle.h"
#include "setup/SetupFlow.h"
#include "support/FileTree.h"
#include "support/Installation.h"
#include "support/TestServices.h"
#include "support/Wait.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QRegularExpression>
#include <QSet>
#include <QSignalSpy>

namespace {

using namespace Qt::StringLiterals;

const QString restoredNotice = u"The preserved legacy installation is visible to Tarnhold again."_s;

// The lifecycle with the controllers it drives, a complete setup, and the
// temporary folder inside the temporary home, so written scripts are seen.
class LifecycleTest : public testing::Test, protected TestServices
{
protected:
    const QByteArray systemTemp = QFile::encodeName(QDir::tempPath());
    UpdateChannel updates{services(), operation};
    OnlineClientInstaller client{services(), operation, updates};
    CommunityContent community{services(), operation};
    SetupFlow setup{services(), operation, client, community};
    InstallationLifecycle lifecycle{services(), operation, setup};
    const QDir temp{FileTree::inHome(u"tmp"_s)};

    LifecycleTest()
    {
        FileTree::makeFolder(temp.path());
        qputenv("TMPDIR", QFile::encodeName(temp.path()));
        setup.reflectInstallation(true);
    }
    ~LifecycleTest() override { qputenv("TMPDIR", systemTemp); }

    void uninstall()
    {
        QSignalSpy busyChanges(&operation, &OperationState::isBusyChanged);
        lifecycle.uninstallManagedInstallation();
        ASSERT_TRUE(eventually([&] { return busyChanges.count() == 2; }));
    }
    void setRecord(const InstalledState &state)
    {
        record.setState(state);
        record.save();
    }
    static QString support(const QString &name) { return QDir(Locations::supportFolder()).filePath(name); }
    // The record as the next start reads it.
    static InstalledState savedRecord()
    {
        InstallationRecord saved;
        saved.load();
        return saved.state();
    }
};

// Only the folders present move; the version waits for a restore while
// the community content's fields go, and the legacy installation comes
// back ready.
TEST_F(LifecycleTest, UninstallKeepsTheVersionForTheRestore)
{
    FileTree::writeFile(support(u"Prefix/drive_c/GeneralsZH/Generals.exe"_s));
    FileTree::makeFolder(support(u"Downloads"_s));
    InstalledState state;
    state.velmoraVersion = u"1.2"_s;
    state.lastCheckedAt = 800000000.5;
    state.includeCommunityThreePlayerMaps = true;
    state.controlBarVersion = state.controlBarRevision = state.controlBarResolution = u"x"_s;
    state.genToolVersion = state.rankedMapsRevision = u"y"_s;
    state.rankedMapCount = 40;
    setRecord(state);

    uninstall();
    EXPECT_EQ(platform.trashed, QStringList({support(u"Prefix"_s), support(u"Downloads"_s)}));
    InstalledState expected;
    expected.preservedLegacyVersion = u"1.2"_s;
    expected.lifecycleIsolationEnabled = true;
    expected.lastCheckedAt = state.lastCheckedAt;
    expected.includeCommunityThreePlayerMaps = true;
    EXPECT_EQ(savedRecord(), expected);
    EXPECT_EQ(setup.setupStep(), SetupStep::checkMac);
    EXPECT_EQ(operation.activity(), u"Managed installation removed"_s);
    EXPECT_EQ(operation.noticeMessage(),
              u"The Tarnhold-managed game, runtime and download files were moved to the Trash. The proven legacy "
              "installation was preserved and is currently hidden for a clean lifecycle test."_s);

    Installation::addRuntime(Locations::legacyRuntimeFolder());
    Installation::addLauncher(Locations::legacyPrefixFolder());
    lifecycle.restoreLegacyInstallation();
    expected.velmoraVersion = u"1.2"_s;
    expected.lifecycleIsolationEnabled = false;
    EXPECT_EQ(savedRecord(), expected);
    EXPECT_EQ(setup.setupStep(), SetupStep::complete);
    EXPECT_EQ(operation.activity(), u"Ready"_s);
    EXPECT_EQ(operation.noticeMessage(), restoredNotice);
}

// An uninstall waits for a running operation, and a record without a
// version keeps the one preserved earlier; a restore never replaces a
// version the record names, and without a complete legacy installation it
// changes nothing.
TEST_F(LifecycleTest, VersionsAreNeverOverwrittenAndARestoreNeedsTheLegacyInstallation)
{
    EXPECT_TRUE(operation.begin(u"Checking for updates…"_s));
    lifecycle.uninstallManagedInstallation();
    EXPECT_EQ(operation.activity(), u"Checking for updates…"_s);
    operation.end();
    InstalledState state;
    state.preservedLegacyVersion = u"1.1"_s;
    setRecord(state);
    uninstall();
    EXPECT_EQ(record.state().preservedLegacyVersion, u"1.1"_s);
    EXPECT_EQ(record.state().velmoraVersion, std::nullopt);
    EXPECT_TRUE(platform.trashed.isEmpty());

    Installation::addRuntime(Locations::legacyRuntimeFolder());
    lifecycle.restoreLegacyInstallation();
    EXPECT_EQ(operation.errorMessage(), u"No complete legacy Velmora installation was detected."_s);
    EXPECT_EQ(record.state().lifecycleIsolationEnabled, true);

    Installation::addLauncher(Locations::legacyPrefixFolder());
    state = record.state();
    state.velmoraVersion = u"2.0"_s;
    setRecord(state);
    lifecycle.restoreLegacyInstallation();
    state.lifecycleIsolationEnabled = false;
    EXPECT_EQ(savedRecord(), state);
    EXPECT_EQ(operation.noticeMessage(), restoredNotice);
}

// Folders moved before the refusal stay in the Trash; the refused one and
// those after it stay in place, and the record still names the installation.
TEST_F(LifecycleTest, ARefusingTrashStopsTheUninstallAndKeepsTheRecord)
{
    for (const QString &name : {u"Runtime"_s, u"Prefix"_s, u"SteamGame"_s})
        FileTree::makeFolder(support(name));
    InstalledState state;
    state.velmoraVersion = u"1.2"_s;
    setRecord(state);
    platform.trashRefusesName = u"Prefix"_s;

    uninstall();
    EXPECT_EQ(operation.errorMessage(), u"Uninstall failed: The Trash refused “%1”."_s.arg(support(u"Prefix"_s)));
    EXPECT_EQ(platform.trashed, QStringList{support(u"Runtime"_s)});
    EXPECT_TRUE(QFileInfo::exists(support(u"Prefix"_s)));
    EXPECT_TRUE(QFileInfo::exists(support(u"SteamGame"_s)));
    EXPECT_EQ(savedRecord(), state);
    EXPECT_EQ(setup.setupStep(), SetupStep::complete);
}

// A copy that is not installed, or a script that cannot be written, leaves
// Tarnhold running and the temporary folder as it was.
TEST_F(LifecycleTest, AnApplicationThatCannotRemoveItselfKeepsRunning)
{
    lifecycle.uninstallApplication();
    EXPECT_EQ(operation.errorMessage(), u"This development copy is not installed in Applications."_s);

    platform.applicationInstalled = true;
    platform.application = FileTree::inHome(u"tarnhold"_s);
    FileTree::writeFile(FileTree::inHome(u"file"_s));
    qputenv("TMPDIR", QFile::encodeName(FileTree::inHome(u"file"_s)));
    lifecycle.uninstallApplication();
    EXPECT_TRUE(operation.errorMessage()->startsWith(u"Could not uninstall Tarnhold: Tarnhold could not save "
                                                     "“tarnhold-uninstall-"_s))
        << operation.errorMessage()->toStdString();
    EXPECT_EQ(platform.quitRequests, 0);
    EXPECT_TRUE(temp.isEmpty());
}

// The real script, run twice by the real shell, trashes an installed
// layout below a path with a space into the home's Trash, under distinct
// names and with what a file manager needs to put it back; then it removes
// itself.
TEST_F(LifecycleTest, TheUninstallScriptTrashesTheInstalledApplication)
{
    const QDir prefix(FileTree::inHome(u"Installed Apps"_s));
    const QStringList items{prefix.filePath(u"bin/tarnhold"_s), prefix.filePath(u"share/tarnhold"_s),
                            prefix.filePath(u"share/applications/tarnhold.desktop"_s)};
    platform.application = items[0];
    platform.applicationInstalled = true;
    for (int run = 1; run <= 2; ++run) {
        FileTree::writeExecutable(items[0]);
        FileTree::writeFile(items[1] + u"/Runtime/bin/wine"_s);
        FileTree::writeFile(items[2]);
        lifecycle.uninstallApplication();
        ASSERT_EQ(operation.errorMessage(), std::nullopt);
        EXPECT_EQ(platform.quitRequests, run);
        // The script's last act is removing itself.
        ASSERT_TRUE(eventually([&] { return temp.isEmpty(); })) << "run " << run;
        for (const QString &item : items)
            EXPECT_FALSE(QFileInfo::exists(item)) << item.toStdString();
    }

    const QDir trash(FileTree::inHome(u".local/share/Trash"_s));
    const QStringList names = QDir(trash.filePath(u"files"_s)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    ASSERT_EQ(names.size(), 6) << names.join(u", ").toStdString();
    const QRegularExpression stamped(u"^Tarnhold-(\\d{8}-\\d{6})(-resources|\\.desktop)?$"_s);
    QSet<QString> stamps;
    for (const QString &name : names) {
        const QRegularExpressionMatch match = stamped.match(name);
        ASSERT_TRUE(match.hasMatch()) << name.toStdString();
        stamps.insert(match.captured(1));
        const QString original = items[QStringList{u""_s, u"-resources"_s, u".desktop"_s}.indexOf(match.captured(2))];
        const QRegularExpression info(
            u"^\\[Trash Info\\]\nPath=%1\nDeletionDate=\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\n$"_s.arg(
                QRegularExpression::escape(QString(original).replace(u' ', u"%20"_s))));
        const QByteArray written = FileTree::readFile(trash.filePath(u"info/"_s + name + u".trashinfo"_s));
        EXPECT_TRUE(info.match(QString::fromUtf8(written)).hasMatch()) << written.constData();
    }
    EXPECT_EQ(stamps.size(), 2);
}

} // namespace
