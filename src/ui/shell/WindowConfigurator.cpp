#include "ui/shell/WindowConfigurator.h"

#include "ui/design/VevoMetrics.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>

#include <algorithm>

std::optional<QRect> fittedFrame(const QRect &frame, const QRect &visible, const QSize &minimum)
{
    const int width = std::min(visible.width(), std::max(minimum.width(), frame.width()));
    const int height = std::min(visible.height(), std::max(minimum.height(), frame.height()));
    if (width == frame.width() && height == frame.height() && frame.intersects(visible))
        return std::nullopt;
    const int x = std::min(visible.x() + visible.width() - width, std::max(visible.x(), frame.x()));
    const int y = std::min(visible.y() + visible.height() - height, std::max(visible.y(), frame.y()));
    return QRect(x, y, width, height);
}

void configureWindow(QMainWindow &window)
{
    window.setMinimumSize(VevoWindow::minimumSize);
    // The content runs up under a unified title bar where the system offers one.
    window.setUnifiedTitleAndToolBarOnMac(true);

    const QScreen *screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect frame = window.frameGeometry();
    const std::optional<QRect> fitted = fittedFrame(frame, screen->availableGeometry(), VevoWindow::minimumSize);
    if (!fitted)
        return;
    // The decorations keep their size; only the content shrinks or grows.
    window.resize(window.size() + fitted->size() - frame.size());
    window.move(fitted->topLeft());
}
