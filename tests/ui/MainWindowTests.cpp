#include "app/TarnholdModel.h"
#include "base/InstallationRecord.h"
#include "base/OperationState.h"
#include "support/FakePlatform.h"
#include "support/Installation.h"
#include "support/RecordingAlerts.h"
#include "support/Wait.h"
#include "ui/MainWindow.h"
#include "ui/UrlOpenEventFilter.h"
#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoText.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFileOpenEvent>
#include <QMenu>

#include <functional>

namespace {

// Hands every event the application receives to a function.
class EventHook final : public QObject
{
public:
    std::function<void(QObject *, QEvent *)> hook;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        hook(watched, event);
        return false;
    }
};

class MainWindowTest : public testing::Test
{
protected:
    FakePlatform platform;
    TarnholdModel model{std::make_unique<FakePlatform>()};
    VevoAppearance appearance{platform};

    std::unique_ptr<MainWindow> makeWindow()
    {
        return std::make_unique<MainWindow>(model, appearance, std::make_unique<RecordingAlerts>());
    }
};

// A widget shown before a layout gives it a parent opens, for a moment, as
// a window of its own: a flicker on the desktop at every start. The first
// refresh reads the disk and starts a request on the GUI thread, so it waits
// for the first frame.
TEST_F(MainWindowTest, ShowsNoOtherWindowAndRefreshesOnceTheFirstFrameIsOnScreen)
{
    Installation::writeStateFile(R"({"runtimeVersion": "Wine 11.0 SSE2", "velmoraVersion": "1.4"})");
    QStringList others;
    const QObject *content = nullptr;
    std::optional<bool> recordReadAtFirstPaint;
    EventHook events;
    events.hook = [&](QObject *watched, QEvent *event) {
        const auto *widget = qobject_cast<QWidget *>(watched);
        if (event->type() == QEvent::Show && widget && widget->isWindow() && !qobject_cast<const MainWindow *>(widget))
            others.append(QString::fromLatin1(widget->metaObject()->className()) + u' ' + widget->objectName());
        if (event->type() == QEvent::Paint && watched == content && !recordReadAtFirstPaint)
            recordReadAtFirstPaint = model.record().state().velmoraVersion.has_value();
    };
    qApp->installEventFilter(&events);
    const std::unique_ptr<MainWindow> window = makeWindow();
    content = window->findChild<QWidget *>(QStringLiteral("contentView"));
    window->show();

    EXPECT_TRUE(eventually(
        [&] { return recordReadAtFirstPaint && model.record().state().velmoraVersion == QStringLiteral("1.4"); }));
    EXPECT_EQ(recordReadAtFirstPaint, false);
    EXPECT_EQ(others, QStringList());
}

// The window shown and done with its first refresh of the disk.
class ShownWindowTest : public MainWindowTest
{
protected:
    std::unique_ptr<MainWindow> window = makeWindow();

    QString shownText(const char *name) const { return window->findChild<VevoText *>(QLatin1String(name))->text(); }

    void SetUp() override
    {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        ASSERT_TRUE(
            eventually([&] { return model.operation().activity() != QStringLiteral("Checking installation…"); }));
    }
};

TEST_F(ShownWindowTest, IsTitledSelectsSectionsByCommandDigitsAndLaunchesOnlyWhenReady)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Tarnhold"));
    const QList<QAction *> items = window->findChild<QMenu *>(QStringLiteral("viewMenu"))->actions();
    ASSERT_EQ(items.size(), 5);
    for (int digit = 1; digit <= 5; ++digit) {
        const AppSection section = allAppSections.at(digit - 1);
        // "Install & Repair" must read as written, not lose its "&" to a mnemonic.
        EXPECT_EQ(items[digit - 1]->text(), title(section).replace(u'&', QStringLiteral("&&")));
        model.setSelectedSection(allAppSections.at(digit % 5));
        QTest::keyClick(window.get(), static_cast<Qt::Key>(Qt::Key_0 + digit), Qt::ControlModifier);
        EXPECT_TRUE(eventually([&] { return model.selectedSection() == section; })) << digit;
        EXPECT_EQ(shownText("sectionTitle"), title(section));
    }

    // Launching needs a ready installation and no operation under way.
    QAction *launch = window->findChild<QAction *>(QStringLiteral("launchAction"));
    EXPECT_FALSE(launch->isEnabled());

    // Files appear on disk without a signal; opening the menu notices them.
    Installation::addReadyInstallation();
    Q_EMIT window->findChild<QMenu *>(QStringLiteral("gameMenu"))->aboutToShow();
    EXPECT_TRUE(launch->isEnabled());

    EXPECT_TRUE(model.operation().begin(InstallerPhase::preparing, 0.0, QStringLiteral("Checking map packages…")));
    EXPECT_FALSE(launch->isEnabled());
    EXPECT_EQ(shownText("statusTitle"), QStringLiteral("Checking map packages…"));
}

// The filter and the model's activation signal together bring the window
// forward when the desktop opens a plain "tarnhold:" URL.
TEST_F(ShownWindowTest, OpenedUrlsReachTheModelAndBringTheWindowToTheFront)
{
    UrlOpenEventFilter filter(model);
    qApp->installEventFilter(&filter);
    QWidget other;
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    window->showMinimized();
    ASSERT_TRUE(eventually([&] { return window->isMinimized(); }));

    QFileOpenEvent event(QUrl(QStringLiteral("tarnhold://")));
    QCoreApplication::sendEvent(qApp, &event);

    EXPECT_TRUE(eventually([&] { return window->isActiveWindow() && !window->isMinimized(); }));
}

} // namespace
