#include "ui/TarnholdApp.h"

#include "app/SingleInstance.h"
#include "app/TarnholdModel.h"
#include "ui/MainWindow.h"
#include "ui/UrlOpenEventFilter.h"
#include "ui/design/VevoAppearance.h"
#include "ui/design/VevoApplicationStyle.h"

#include <QApplication>

#ifdef Q_OS_LINUX
#include <fontconfig/fontconfig.h>
#include <thread>
#endif

int runTarnholdApp(int &argc, char **argv, const std::optional<QUrl> &url, const ModelFactory &makeModel)
{
    // A second start needs neither a display nor a window.
    if (SingleInstance::sendToRunningInstance(url))
        return 0;

#ifdef Q_OS_LINUX
    // Reading fontconfig's configuration takes milliseconds that the first
    // frame waits for, and nothing before the style needs it: read beside the
    // application's set-up, it is ready when Qt asks for it.
    std::jthread fontconfig([] { FcInit(); });
#endif
    QApplication::setApplicationName(QStringLiteral("Tarnhold"));
    QApplication::setApplicationVersion(QStringLiteral(TARNHOLD_VERSION));
    QApplication application(argc, argv);

    const std::unique_ptr<TarnholdModel> owned = makeModel();
    TarnholdModel &model = *owned;
    VevoAppearance appearance(model.platform());
#ifdef Q_OS_LINUX
    fontconfig.join();
#endif
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
