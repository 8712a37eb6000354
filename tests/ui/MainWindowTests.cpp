#include "app/TarnholdModel.h"
#include "support/FakePlatform.h"
#include "support/Installation.h"
#include "support/ModelTestAccess.h"
#include "support/Screenshots.h"
#include "support/Wait.h"
#include "ui/MainWindow.h"
#include "ui/UrlOpenEventFilter.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFileOpenEvent>
#include <QLabel>
#include <QMenu>
#include <QTest>

namespace {

class MainWindowTest : public testing::Test
{
protected:
    TarnholdModel model{std::make_unique<FakePlatform>()};
    MainWindow window{model};

    QString shownText(const char *name) const { return window.findChild<QLabel *>(QLatin1String(name))->text(); }
    QAction *launchAction() const { return window.findChild<QAction *>(QStringLiteral("launchAction")); }

    // Shows the window and waits until the first refresh has read the disk.
    void showRefreshed()
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        ASSERT_TRUE(eventually([&] { return model.activity() != QStringLiteral("Checking installation…"); }));
    }
};

TEST_F(MainWindowTest, OpensAtItsDefaultSizeAndRefreshesWhenFirstShown)
{
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Tarnhold"));
    EXPECT_EQ(window.minimumSize(), QSize(880, 600));
    EXPECT_EQ(model.activity(), QStringLiteral("Checking installation…"));

    ASSERT_NO_FATAL_FAILURE(showRefreshed());

    EXPECT_EQ(window.size(), QSize(1100, 720));
    EXPECT_EQ(shownText("sectionTitle"), QStringLiteral("Home"));
    EXPECT_EQ(shownText("statusTitle"), QStringLiteral("Installation required"));
    saveScreenshot(window, QStringLiteral("main-window-1100x720"));
}

TEST_F(MainWindowTest, StatusLineFollowsTheModel)
{
    ASSERT_NO_FATAL_FAILURE(showRefreshed());

    ModelTestAccess::setActivity(model, QStringLiteral("Checking imported map packages…"));
    ModelTestAccess::setBusy(model, true);
    EXPECT_EQ(shownText("statusTitle"), QStringLiteral("Checking imported map packages…"));
    ModelTestAccess::setGameRunning(model, true);
    EXPECT_EQ(shownText("statusTitle"), QStringLiteral("Velmora is running"));
}

class SectionShortcut : public MainWindowTest, public testing::WithParamInterface<int>
{};

TEST_P(SectionShortcut, SelectsTheSectionAtThatPosition)
{
    const AppSection section = allAppSections.at(GetParam() - 1);
    model.setSelectedSection(section == AppSection::settings ? AppSection::home : AppSection::settings);
    ASSERT_NO_FATAL_FAILURE(showRefreshed());

    QTest::keyClick(&window, static_cast<Qt::Key>(Qt::Key_0 + GetParam()), Qt::ControlModifier);

    ASSERT_TRUE(eventually([&] { return model.selectedSection() == section; })) << title(section).toStdString();
    EXPECT_EQ(shownText("sectionTitle"), title(section));
}

INSTANTIATE_TEST_SUITE_P(CommandOneToFive, SectionShortcut, testing::Range(1, 6));

TEST_F(MainWindowTest, ViewMenuListsTheSectionsInOrder)
{
    const QList<QAction *> actions = window.findChild<QMenu *>(QStringLiteral("viewMenu"))->actions();
    ASSERT_EQ(actions.size(), qsizetype(allAppSections.size()));
    for (qsizetype index = 0; index < actions.size(); ++index) {
        EXPECT_EQ(actions.at(index)->text(), title(allAppSections.at(index)));
        EXPECT_EQ(actions.at(index)->shortcut(), QKeySequence(QStringLiteral("Ctrl+%1").arg(index + 1)));
    }
}

TEST_F(MainWindowTest, LaunchIsDisabledWithoutAnInstallation)
{
    ASSERT_NO_FATAL_FAILURE(showRefreshed());

    EXPECT_FALSE(launchAction()->isEnabled());
    EXPECT_TRUE(window.findChild<QAction *>(QStringLiteral("checkForUpdatesAction"))->isEnabled());
}

TEST_F(MainWindowTest, LaunchFollowsReadinessAndBusyness)
{
    Installation::addReadyInstallation();
    ASSERT_NO_FATAL_FAILURE(showRefreshed());
    EXPECT_TRUE(launchAction()->isEnabled());

    ModelTestAccess::setBusy(model, true);
    EXPECT_FALSE(launchAction()->isEnabled());
    // Updates can be checked whatever else is going on.
    EXPECT_TRUE(window.findChild<QAction *>(QStringLiteral("checkForUpdatesAction"))->isEnabled());
    ModelTestAccess::setBusy(model, false);
    EXPECT_TRUE(launchAction()->isEnabled());
}

TEST_F(MainWindowTest, OpeningTheGameMenuNoticesAnInstallationThatAppearedSinceTheRefresh)
{
    ASSERT_NO_FATAL_FAILURE(showRefreshed());
    Installation::addReadyInstallation();

    Q_EMIT window.findChild<QMenu *>(QStringLiteral("gameMenu"))->aboutToShow();

    EXPECT_TRUE(launchAction()->isEnabled());
}

TEST_F(MainWindowTest, OpenUrlEventsReachTheModel)
{
    UrlOpenEventFilter filter(model);
    qApp->installEventFilter(&filter);

    QFileOpenEvent event(QUrl(QStringLiteral("tarnhold://maps")));
    QCoreApplication::sendEvent(qApp, &event);

    EXPECT_EQ(model.selectedSection(), AppSection::maps);
}

TEST_F(MainWindowTest, ComesToTheFrontWhenTheModelAsks)
{
    ASSERT_NO_FATAL_FAILURE(showRefreshed());
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    window.showMinimized();
    ASSERT_TRUE(eventually([&] { return window.isMinimized(); }));

    Q_EMIT model.activationRequested();

    EXPECT_TRUE(eventually([&] { return window.isActiveWindow() && !window.isMinimized(); }));
    EXPECT_TRUE(window.isVisible());
}

} // namespace
