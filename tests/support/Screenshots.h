#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QPixmap>
#include <QWidget>

// Saves what the widget shows as TARNHOLD_SCREENSHOT_DIR/name.png for a
// person to look at; fails the current test when the file cannot be written.
inline void saveScreenshot(QWidget &widget, const QString &name)
{
    const QDir folder(QStringLiteral(TARNHOLD_SCREENSHOT_DIR));
    ASSERT_TRUE(folder.mkpath(QStringLiteral("."))) << qPrintable(folder.path());
    const QString path = folder.filePath(name + QStringLiteral(".png"));
    // A text that just changed is laid out on the next pass of the event
    // loop; the picture shows the window as a person would see it then.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    EXPECT_TRUE(widget.grab().save(path, "PNG")) << qPrintable(path);
}
