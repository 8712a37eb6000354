#pragma once

#include <QString>

class QWidget;

// Saves what the widget shows as TARNHOLD_SCREENSHOT_DIR/name.png for a
// person to look at; fails the current test when the file cannot be written.
void saveScreenshot(QWidget &widget, const QString &name);
