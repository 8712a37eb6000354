#include "ui/shell/WindowConfigurator.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>

namespace {

const QRect visible(0, 25, 1440, 875);
const QSize minimum(880, 600);

struct Fitting
{
    const char *name;
    QRect frame;
    std::optional<QRect> fitted;

    friend void PrintTo(const Fitting &fitting, std::ostream *out) { *out << fitting.name; }
};

class WindowFitting : public testing::TestWithParam<Fitting>
{};

TEST_P(WindowFitting, KeepsTheFrameOnTheVisibleArea)
{
    EXPECT_EQ(fittedFrame(GetParam().frame, visible, minimum), GetParam().fitted);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, WindowFitting,
    testing::Values(Fitting{"FitsAndShows", {100, 100, 1100, 720}, std::nullopt},
                    Fitting{"PartlyOffScreenStillShows", {1000, 800, 1100, 720}, std::nullopt},
                    Fitting{"LargerThanTheScreen", {-50, 300, 2000, 1200}, QRect(0, 25, 1440, 875)},
                    Fitting{"TallerThanTheScreenAtTheRightEdge", {900, 100, 1100, 1000}, QRect(340, 25, 1100, 875)},
                    Fitting{"SmallerThanTheMinimum", {200, 200, 600, 400}, QRect(200, 200, 880, 600)},
                    Fitting{"OnAScreenThatIsGone", {3000, 2000, 1100, 720}, QRect(340, 180, 1100, 720)}),
    [](const testing::TestParamInfo<Fitting> &info) { return info.param.name; });

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
