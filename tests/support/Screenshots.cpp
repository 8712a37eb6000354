#include "support/Screenshots.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QPixmap>
#include <QWidget>

void saveScreenshot(QWidget &widget, const QString &name)
{
    const QDir folder(QStringLiteral(TARNHOLD_SCREENSHOT_DIR));
    ASSERT_TRUE(folder.mkpath(QStringLiteral("."))) << qPrintable(folder.path());
    const QString path = folder.filePath(name + QStringLiteral(".png"));
    EXPECT_TRUE(widget.grab().save(path, "PNG")) << qPrintable(path);
}
