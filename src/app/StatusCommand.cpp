#include "app/StatusCommand.h"

#include "app/StatusReport.h"
#include "app/TarnholdModel.h"

#include <QCoreApplication>
#include <QFile>
#include <QTimer>

namespace {

QCoro::Task<> printStatus(TarnholdModel &model, bool json)
{
    co_await model.refresh();
    QFile out;
    if (out.open(stdout, QIODevice::WriteOnly))
        out.write(json ? statusJson(model) + '\n' : statusText(model).toUtf8());
    QCoreApplication::exit(0);
}

} // namespace

int runStatusCommand(int &argc, char **argv, bool json)
{
    QCoreApplication application(argc, argv);
    TarnholdModel model(createPlatform());
    // The refresh may wait for the network, so it starts once the event loop
    // runs; exiting before exec() would be ignored.
    QTimer::singleShot(0, &model, [&model, json] { printStatus(model, json); });
    return QCoreApplication::exec();
}
