#include "app/StatusCommand.h"

#include "app/StatusReport.h"
#include "app/TarnholdModel.h"

#include <QIODevice>

QCoro::Task<bool> awaitRefresh(QCoro::Task<> refreshing, QIODevice &err)
{
    try {
        co_await std::move(refreshing);
        co_return true;
    } catch (const std::exception &error) {
        err.write("tarnhold: could not read the installation: " + QByteArray(error.what()) + '\n');
        co_return false;
    }
}

QCoro::Task<int> printStatus(QCoro::Task<> refreshing, const TarnholdModel &model, bool json, QIODevice &out,
                             QIODevice &err)
{
    if (!co_await awaitRefresh(std::move(refreshing), err))
        co_return 1;
    out.write(json ? statusJson(model) + '\n' : statusText(model).toUtf8());
    co_return 0;
}
