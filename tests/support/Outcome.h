#pragma once

#include <QCoroTask>

#include <exception>
#include <optional>

// What a task ended with: its value, or the exception it threw. QCoro 0.8's
// waitFor() never returns when the awaited task throws, so tests wait for a
// task of ours that catches everything.
template <typename T>
struct Outcome
{
    std::optional<T> value;
    std::exception_ptr error;

    // The error when it is of type Error; absent for a success or another error.
    template <typename Error>
    std::optional<Error> failure() const
    {
        try {
            if (error)
                std::rethrow_exception(error);
        } catch (const Error &expected) {
            return expected;
        } catch (...) {
        }
        return std::nullopt;
    }
};

template <typename T>
Outcome<T> outcomeOf(QCoro::Task<T> task)
{
    return QCoro::waitFor([](QCoro::Task<T> task) -> QCoro::Task<Outcome<T>> {
        try {
            // GCC miscompiles a co_await inside a braced initialiser.
            T value = co_await std::move(task);
            co_return Outcome<T>{std::move(value), nullptr};
        } catch (...) {
            co_return Outcome<T>{std::nullopt, std::current_exception()};
        }
    }(std::move(task)));
}

// The value of a task that has none. (QCoro keeps results in a variant
// that already holds std::monostate.)
struct Completed
{};

inline Outcome<Completed> outcomeOf(QCoro::Task<> task)
{
    return outcomeOf([](QCoro::Task<> task) -> QCoro::Task<Completed> {
        co_await std::move(task);
        co_return Completed{};
    }(std::move(task)));
}
