#include "support/TemporaryHome.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryFile>

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    // UI tests never need a display. The offscreen screen is a common
    // desktop's 1920 × 1080 rather than the plugin's 800 × 600, which is
    // smaller than Tarnhold's minimum window.
    QTemporaryFile screens;
    if (!screens.open())
        return 1;
    screens.write(R"({"screens": [{"name": "Desktop", "x": 0, "y": 0, "width": 1920, "height": 1080,
                      "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    screens.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toLocal8Bit());
    QApplication application(argc, argv);
    return runAllTests();
}
