#include "app/TarnholdModel.h"
#include "base/OperationState.h"
#include "support/FakePlatform.h"
#include "support/Screenshots.h"
#include "support/Wait.h"
#include "ui/MainWindow.h"
#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoApplicationStyle.h"
#include "ui/shell/PercentReadout.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>
#include <QPainter>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The window in the light and the dark appearance, idle, with an error
// alert, and in each kind of busy state, at the default width and at a rail
// width, for a person to judge.
TEST(ShellScreenshots, IdleAlertAndBusy)
{
    // Environment scenes are the prefix creation, whose amount of work is unknown.
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
            const QString name =
                QStringLiteral("shell-%1x%2-%3-").arg(size.width()).arg(size.height()).arg(dark ? u"dark" : u"light");
            saveScreenshot(window, name + QStringLiteral("idle"));

            // The real message box, drawn over the window where the system would
            // put it; its one button, "OK", is the user's dismissal.
            operation.setErrorMessage(
                QStringLiteral("Online client installation failed: The download did not match its "
                               "published checksum, so it was discarded. Try again later."));
            QMessageBox *box = nullptr;
            ASSERT_TRUE(eventually([&] { return (box = window.findChild<QMessageBox *>()) && box->isVisible(); }));
            QPixmap shot = window.grab();
            const QPixmap alert = box->grab();
            QPainter painter(&shot);
            const QRect placed(QPoint((shot.width() - alert.width()) / 2, shot.height() / 4), alert.size());
            // The frame the window manager would draw.
            painter.fillRect(placed.adjusted(-1, -1, 1, 1), QColor(0, 0, 0, 90));
            painter.drawPixmap(placed.topLeft(), alert);
            painter.end();
            EXPECT_TRUE(shot.save(QStringLiteral(TARNHOLD_SCREENSHOT_DIR "/%1error-alert.png").arg(name)));
            ASSERT_EQ(box->buttons().size(), 1);
            EXPECT_EQ(box->buttons().first()->text(), QStringLiteral("OK"));
            box->buttons().first()->click();
            EXPECT_TRUE(eventually([&] { return !operation.errorMessage(); }));

            for (const auto &[state, phase, detail, stalled] : busyScenes) {
                const bool preparing = phase == InstallerPhase::environment;
                operation.begin(phase, 0.42,
                                preparing ? u"Preparing the Windows environment…"_s
                                          : u"Installing the Velmora online client…"_s);
                operation.setProgressIsIndeterminate(preparing);
                operation.setProgressDetail(QString::fromUtf8(detail));
                operation.setProgressStalled(stalled);
                auto *readout = window.findChild<PercentReadout *>(QStringLiteral("busyReadout"));
                ASSERT_TRUE(eventually([&] { return readout->shownText() == QStringLiteral("42%"); }));
                saveScreenshot(window, name + QLatin1String(state));
            }
        }
}

} // namespace
