#include "ui/TarnholdApp.h"

#include "app/SingleInstance.h"
#include "app/TarnholdModel.h"
#include "platform/Platform.h"
#include "ui/MainWindow.h"
#include "ui/UrlOpenEventFilter.h"
#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoApplicationStyle.h"

#include <QApplication>

int runTarnholdApp(int &argc, char **argv, const std::optional<QUrl> &url)
{
    // A second start needs neither a display nor a window.
    if (SingleInstance::sendToRunningInstance(url))
        return 0;

    QApplication::setApplicationName(QStringLiteral("Tarnhold"));
    QApplication::setApplicationVersion(QStringLiteral(TARNHOLD_VERSION));
    QApplication application(argc, argv);

    TarnholdModel model(createPlatform());
    VevoAppearance appearance(model.platform());
    Vevo::styleApplication(appearance);
    MainWindow window(model, appearance);

    SingleInstance instance;
    QObject::connect(&instance, &SingleInstance::urlReceived, &model, &TarnholdModel::handle);
    QObject::connect(&instance, &SingleInstance::activationRequested, &window, &MainWindow::bringToFront);
    // Without the socket Tarnhold still runs; later starts just open their own window.
    instance.listen();

    UrlOpenEventFilter urlOpenEvents(model);
    application.installEventFilter(&urlOpenEvents);

    window.show();
    if (url)
        model.handle(*url);
    return QApplication::exec();
}
