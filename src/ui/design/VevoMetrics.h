#pragma once

#include <QSize>

// Corner radii, spacing and window sizes, in points.
namespace Vevo {

namespace Radius {
inline constexpr int control = 6;
inline constexpr int panel = 12;
} // namespace Radius

namespace Space {
inline constexpr int xxs = 4;
inline constexpr int xs = 6;
inline constexpr int sm = 8;
inline constexpr int md = 12;
inline constexpr int lg = 16;
inline constexpr int xl = 24;
inline constexpr int xxl = 32;
inline constexpr int huge = 48;
} // namespace Space

} // namespace Vevo

// The size step of a control: its height, the pixel size of its label and
// the room either side of the label.
enum class VevoControlSize { sm, md, lg };

struct VevoControlMetrics
{
    int height;
    int fontPixelSize;
    int padding;
};

constexpr VevoControlMetrics metrics(VevoControlSize size)
{
    switch (size) {
    case VevoControlSize::sm:
        return {28, 12, 10};
    case VevoControlSize::md:
        break;
    case VevoControlSize::lg:
        return {40, 15, 18};
    }
    return {34, 13, 14};
}

namespace VevoWindow {
inline constexpr QSize defaultSize{1100, 720};
inline constexpr QSize minimumSize{880, 600};
// Narrower than this, the sidebar collapses to an icon rail.
inline constexpr int sidebarCollapseWidth = 1000;
} // namespace VevoWindow
