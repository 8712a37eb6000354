#include "app/TarnholdModel.h"
#include "base/OperationState.h"
#include "support/FakePlatform.h"
#include "support/Screenshots.h"
#include "support/Wait.h"
#include "ui/MainWindow.h"
#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoApplicationStyle.h"
#include "ui/design/VevoBadge.h"
#include "ui/design/VevoText.h"
#include "ui/shell/PercentReadout.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The window in the light and the dark appearance, idle, with an error
// alert, and in each kind of busy state, at the default width and at a rail
// width, for a person to judge. Only a supervised prefix creation, whose
// amount of work is unknown, reports details and stalls.
TEST(ShellScreenshots, IdleAlertAndBusy)
{
    const std::tuple<const char *, InstallerPhase, const char *, bool> busyScenes[] = {
        {"determinate", InstallerPhase::onlineClient, "Downloading release 1.2 · 38 of 91 MB", false},
        {"indeterminate", InstallerPhase::environment, "Wine is creating the Windows folders…", false},
        {"stalled", InstallerPhase::environment,
         "No prefix activity for 2 minutes. A Wine dialog may be waiting for an answer.", true},
    };
    for (const bool dark : {false, true})
        for (const QSize size : {QSize(1100, 720), QSize(900, 650)}) {
            FakePlatform platform;
            platform.reducedMotion = true;
            platform.darkAppearance = dark;
            VevoAppearance appearance(platform);
            Vevo::styleApplication(appearance);
            TarnholdModel model{std::make_unique<FakePlatform>()};
            OperationState &operation = model.operation();
            MainWindow window(model, appearance);
            window.resize(size);
            window.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
            ASSERT_TRUE(
                eventually([&] { return !operation.isBusy() && !operation.activity().endsWith(QChar(0x2026)); }));
            const QString name = u"shell-%1x%2-%3-"_s.arg(size.width()).arg(size.height()).arg(dark ? "dark" : "light");
            saveScreenshot(window, name + u"idle"_s);

            // The real message box; its one button, "OK", is the user's dismissal.
            operation.setErrorMessage(u"Online client installation failed: The download did not match its "
                                      u"published checksum, so it was discarded. Try again later."_s);
            QMessageBox *box = nullptr;
            ASSERT_TRUE(eventually([&] { return (box = window.findChild<QMessageBox *>()) && box->isVisible(); }));
            saveScreenshot(*box, name + u"error-alert"_s);
            ASSERT_EQ(box->buttons().size(), 1);
            EXPECT_EQ(box->buttons().first()->text(), u"OK"_s);
            box->buttons().first()->click();
            EXPECT_TRUE(eventually([&] { return !operation.errorMessage(); }));

            auto *readout = window.findChild<PercentReadout *>(u"busyReadout"_s);
            auto *details = window.findChild<VevoText *>(u"busyDetail"_s);
            for (const auto &[state, phase, detail, stalled] : busyScenes) {
                const bool preparing = phase == InstallerPhase::environment;
                EXPECT_TRUE(operation.begin(phase, 0.42,
                                            preparing ? u"Preparing the Windows environment…"_s
                                                      : u"Installing the Velmora online client…"_s));
                operation.setProgressIsIndeterminate(preparing);
                operation.setProgressDetail(QString::fromUtf8(detail));
                operation.setProgressStalled(stalled);
                ASSERT_TRUE(eventually([&] { return readout->shownText() == u"42%"_s; }));
                EXPECT_EQ(readout->isVisible(), !preparing) << state;
                EXPECT_TRUE(details->isVisible() && details->text() == QString::fromUtf8(detail)) << state;
                EXPECT_EQ(window.findChild<VevoBadge *>(u"stallMark"_s)->isVisible(), stalled) << state;
                saveScreenshot(window, name + QLatin1String(state));
            }
        }
}

} // namespace
