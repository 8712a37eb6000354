#pragma once

#include <QRect>

#include <optional>

class QMainWindow;

// Where a window frame belongs on a screen's visible area: no larger than
// the area and no smaller than the minimum, and inside the area. Absent when
// the frame already has that size and shows at least partly on the area.
std::optional<QRect> fittedFrame(const QRect &frame, const QRect &visible, const QSize &minimum);

// Sets the window's size limits and title-bar style, then fits it to the
// visible area of its screen. Run once, when the window first shows.
void configureWindow(QMainWindow &window);
