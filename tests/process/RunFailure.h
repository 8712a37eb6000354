#pragma once

#include <gtest/gtest.h>

#include <QCoroTask>
#include <QString>

#include <optional>

// QCoro 0.8's waitFor never returns when the task throws, so the error is
// caught inside a coroutine of our own.
template <typename Error>
QCoro::Task<std::optional<Error>> caughtFailure(QCoro::Task<QString> run)
{
    try {
        co_await std::move(run);
        ADD_FAILURE() << "the run succeeded";
    } catch (const Error &expected) {
        co_return expected;
    } catch (const std::exception &other) {
        ADD_FAILURE() << "unexpected error: " << other.what();
    }
    co_return std::nullopt;
}

// The run's error of the given type; any other outcome fails the test.
template <typename Error>
std::optional<Error> failureOf(QCoro::Task<QString> run)
{
    return QCoro::waitFor(caughtFailure<Error>(std::move(run)));
}
