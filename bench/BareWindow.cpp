// The yardstick for Tarnhold's start-up: an empty Qt Widgets window of the
// same size, started the way Tarnhold starts.
#include "ui/design/VevoMetrics.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.resize(VevoWindow::defaultSize);
    window.show();
    return QApplication::exec();
}
