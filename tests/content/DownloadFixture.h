#pragma once

#include "app/TarnholdModel.h"
#include "app/UserFacingError.h"
#include "support/FakePlatform.h"
#include "support/FixtureServer.h"
#include "support/ModelTestAccess.h"

#include <gtest/gtest.h>

#include <QCoroTask>
#include <QStringList>

#include <typeinfo>

using namespace std::chrono_literals;

// A model whose back-off second lasts a millisecond and whose transfers give
// up after half a second of silence, with a fixture server to talk to.
class DownloadTest : public testing::Test
{
protected:
    FixtureServer server;
    TarnholdModel model{std::make_unique<FakePlatform>(), Catalog{}, Timing{1ms, 500ms}};
    QStringList activities;

    DownloadTest()
    {
        QObject::connect(&model, &TarnholdModel::activityChanged, &model,
                         [this] { activities.append(model.activity()); });
    }

    HttpResponse request(const QString &path)
    {
        return succeeded(ModelTestAccess::requestData(model, QNetworkRequest(server.url(path))));
    }

    // QCoro 0.8's waitFor() never returns when the task throws, so every
    // task runs inside one that catches.
    template <typename T>
    static QCoro::Task<std::pair<std::optional<T>, QString>> outcome(QCoro::Task<T> task)
    {
        try {
            co_return std::pair(std::optional<T>(co_await std::move(task)), QString());
        } catch (const UserFacingError &error) {
            co_return std::pair(std::optional<T>(),
                                QString::fromLatin1(typeid(error).name()) + QLatin1Char(':') + error.description());
        }
    }

    template <typename T>
    static T succeeded(QCoro::Task<T> task)
    {
        const auto [value, error] = QCoro::waitFor(outcome(std::move(task)));
        EXPECT_TRUE(value.has_value()) << error.toStdString();
        return value.value_or(T());
    }

    // The description of the error a task ends with, and the error's type.
    template <typename T>
    static std::pair<QString, QString> failure(QCoro::Task<T> task)
    {
        const auto [value, error] = QCoro::waitFor(outcome(std::move(task)));
        if (value)
            return {};
        const qsizetype colon = error.indexOf(QLatin1Char(':'));
        return {error.mid(colon + 1), error.first(colon)};
    }
};
