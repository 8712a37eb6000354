#include "app/StatusCommand.h"

#include "app/StatusReport.h"
#include "app/TarnholdModel.h"

#include <QCoreApplication>
#include <QFile>
#include <QTimer>

QCoro::Task<int> printStatus(QCoro::Task<> refreshing, const TarnholdModel &model, bool json, QIODevice &out,
                             QIODevice &err)
{
    try {
        co_await std::move(refreshing);
        out.write(json ? statusJson(model) + '\n' : statusText(model).toUtf8());
        co_return 0;
    } catch (const std::exception &error) {
        err.write("tarnhold: could not read the installation: " + QByteArray(error.what()) + '\n');
        co_return 1;
    }
}

int runStatusCommand(int &argc, char **argv, bool json, const ModelFactory &makeModel)
{
    QCoreApplication application(argc, argv);
    const std::unique_ptr<TarnholdModel> owned = makeModel();
    TarnholdModel &model = *owned;
    QFile out;
    QFile err;
    if (!out.open(stdout, QIODevice::WriteOnly) || !err.open(stderr, QIODevice::WriteOnly))
        return 1;
    // The refresh may wait for the network, so it starts once the event loop
    // runs; exiting before exec() would be ignored.
    QTimer::singleShot(0, &model, [&] {
        [](QCoro::Task<int> printing) -> QCoro::Task<> {
            QCoreApplication::exit(co_await std::move(printing));
        }(printStatus(model.refresh(), model, json, out, err));
    });
    return QCoreApplication::exec();
}
