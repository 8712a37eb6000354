#include "ui/shell/WindowConfigurator.h"

#include <gtest/gtest.h>

#include <QMainWindow>
#include <QScreen>

namespace {

const QRect visible(0, 25, 1440, 875);
const QSize minimum(880, 600);

TEST(WindowFitting, KeepsTheFrameOnTheVisibleArea)
{
    const std::tuple<const char *, QRect, std::optional<QRect>> frames[] = {
        {"fits and shows", {100, 100, 1100, 720}, std::nullopt},
        {"partly off screen still shows", {1000, 800, 1100, 720}, std::nullopt},
        {"larger than the screen", {-50, 300, 2000, 1200}, QRect(0, 25, 1440, 875)},
        {"taller than the screen at the right edge", {900, 100, 1100, 1000}, QRect(340, 25, 1100, 875)},
        {"smaller than the minimum", {200, 200, 600, 400}, QRect(200, 200, 880, 600)},
        {"on a screen that is gone", {3000, 2000, 1100, 720}, QRect(340, 180, 1100, 720)},
    };
    for (const auto &[name, frame, fitted] : frames)
        EXPECT_EQ(fittedFrame(frame, visible, minimum), fitted) << name;
}

TEST(WindowConfigurator, BringsAWindowLeftOffScreenBackIntoView)
{
    QMainWindow window;
    window.resize(1100, 720);
    window.move(5000, 4000);
    window.show();
    configureWindow(window);
    const QRect screen = window.screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(window.frameGeometry())) << testing::PrintToString(window.frameGeometry());
    EXPECT_EQ(window.size(), QSize(1100, 720));
    EXPECT_EQ(window.minimumSize(), minimum);
}

} // namespace
