#include "app/TarnholdModel.h"
#include "base/OperationState.h"
#include "support/FakePlatform.h"
#include "support/RecordingAlerts.h"
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

namespace {

struct Scene
{
    const char *name;
    InstallerPhase phase;
    bool indeterminate;
    const char *detail;
    bool stalled;
};

const Scene busyScenes[] = {
    {"determinate", InstallerPhase::onlineClient, false, "Downloading release 1.2 · 38 of 91 MB", false},
    {"indeterminate", InstallerPhase::environment, true, "Wine is creating the Windows folders…", false},
    {"stalled", InstallerPhase::environment, true,
     "No prefix activity for 2 minutes. A Wine dialog may be waiting for an answer.", true},
};

class ShellScreenshots : public testing::TestWithParam<bool>
{
protected:
    FakePlatform platform;
    std::unique_ptr<VevoAppearance> appearance;

    void SetUp() override
    {
        platform.reducedMotion = true;
        platform.darkAppearance = GetParam();
        appearance = std::make_unique<VevoAppearance>(platform);
        Vevo::styleApplication(*appearance);
    }

    QString name(const QSize &size, const char *state) const
    {
        return QStringLiteral("shell-%1x%2-%3-%4")
            .arg(size.width())
            .arg(size.height())
            .arg(GetParam() ? QStringLiteral("dark") : QStringLiteral("light"), QLatin1String(state));
    }
};

// The window idle and in each kind of busy state, at the default width and
// at a rail width, for a person to judge.
TEST_P(ShellScreenshots, IdleAndBusy)
{
    for (const QSize size : {QSize(1100, 720), QSize(900, 650)}) {
        TarnholdModel model{std::make_unique<FakePlatform>()};
        OperationState &operation = model.operation();
        MainWindow window(model, *appearance, std::make_unique<RecordingAlerts>());
        window.resize(size);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        ASSERT_TRUE(eventually([&] { return !operation.isBusy() && !operation.activity().endsWith(QChar(0x2026)); }));
        saveScreenshot(window, name(size, "idle"));

        for (const Scene &scene : busyScenes) {
            operation.begin(scene.phase, 0.42,
                            scene.phase == InstallerPhase::environment
                                ? QStringLiteral("Preparing the Windows environment…")
                                : QStringLiteral("Installing the Velmora online client…"));
            operation.setProgressIsIndeterminate(scene.indeterminate);
            operation.setProgressDetail(QString::fromUtf8(scene.detail));
            operation.setProgressStalled(scene.stalled);
            auto *readout = window.findChild<PercentReadout *>(QStringLiteral("busyReadout"));
            ASSERT_TRUE(eventually([&] { return readout->shownText() == QStringLiteral("42%"); }));
            saveScreenshot(window, name(size, scene.name));
            operation.finish(QStringLiteral("Done."));
            operation.setProgressIsIndeterminate(false);
            operation.setProgressDetail(std::nullopt);
            operation.setProgressStalled(false);
        }
    }
}

// The real message box, drawn over the window where the system would put it.
TEST_P(ShellScreenshots, ErrorAlert)
{
    TarnholdModel model{std::make_unique<FakePlatform>()};
    MainWindow window(model, *appearance);
    window.resize(1100, 720);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    model.operation().setErrorMessage(
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
    shot.save(QStringLiteral(TARNHOLD_SCREENSHOT_DIR "/") + name(window.size(), "error-alert")
              + QStringLiteral(".png"));

    // The one button is "OK"; clicking it is the user's dismissal.
    ASSERT_EQ(box->buttons().size(), 1);
    EXPECT_EQ(box->buttons().first()->text(), QStringLiteral("OK"));
    box->buttons().first()->click();
    EXPECT_TRUE(eventually([&] { return !model.operation().errorMessage(); }));
}

INSTANTIATE_TEST_SUITE_P(Appearances, ShellScreenshots, testing::Bool(), [](const testing::TestParamInfo<bool> &info) {
    return info.param ? std::string("Dark") : std::string("Light");
});

} // namespace
