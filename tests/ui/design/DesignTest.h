#pragma once

#include "support/FakePlatform.h"
#include "support/Wait.h"
#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoColors.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QStringList>
#include <QWidget>

#include <algorithm>
#include <cmath>

// What the widget tests stand on: an appearance over a fake platform, light
// and free to move until a test says otherwise.
class DesignTest : public testing::Test
{
protected:
    FakePlatform platform;
    VevoAppearance appearance{platform};

    void reduceMotion(bool reduced = true)
    {
        platform.reducedMotion = reduced;
        platform.preferencesChanged();
    }
};

// The largest difference of any colour channel, from 0 to 1.
inline double distance(const QColor &a, const QColor &b)
{
    return std::max(
        {std::abs(a.redF() - b.redF()), std::abs(a.greenF() - b.greenF()), std::abs(a.blueF() - b.blueF())});
}

// Within the rounding and antialiasing of a painted pixel.
constexpr double painted = 0.01;

// Whether any pixel of the image in the area passes the test.
template <typename Test>
bool anyPixel(const QImage &image, const QRect &area, Test test)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (test(image.pixelColor(x, y)))
                return true;
        }
    }
    return false;
}

// Every symbol the screens use.
inline const QStringList symbols =
    QStringLiteral("house.fill wrench.and.screwdriver.fill map.fill arrow.triangle.2.circlepath slider.horizontal.3 "
                   "play.fill stop.fill arrow.down.circle doc.text.magnifyingglass checkmark.circle.fill "
                   "exclamationmark.circle person lock.shield checkmark.shield magnifyingglass ellipsis "
                   "arrow.uturn.backward chevron.right bolt.horizontal.circle checkmark shippingbox wineglass "
                   "arrow.down.to.line globe folder wrench.and.screwdriver")
        .split(QLatin1Char(' '));

// A settings page with every layout piece, for the screenshots and the
// layout tests.
void buildSettingsPage(VevoAppearance &appearance, QWidget &canvas);
