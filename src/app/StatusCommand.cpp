#include "app/StatusCommand.h"

#include "app/StatusReport.h"
#include "app/TarnholdModel.h"

#include <QCoreApplication>
#include <QFile>

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
    // The refresh may wait for the network later on, so it runs inside the
    // event loop rather than before it.
    printStatus(model, json);
    return QCoreApplication::exec();
}
