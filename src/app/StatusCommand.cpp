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

void printStatus(const TarnholdModel &model, bool json, QIODevice &out)
{
    out.write(json ? statusJson(model) + '\n' : statusText(model).toUtf8());
}
