#pragma once

#include <QFuture>
#include <QtConcurrentRun>

#include <exception>
#include <optional>
#include <type_traits>
#include <variant>

// The outcome of work run on the thread pool: its result, or what it threw.
// QtConcurrent passes on only QException, so the work's own errors travel
// here and are thrown again on the thread that waits for them.
template <typename Result>
class BackgroundOutcome
{
public:
    template <typename Function, typename... Args>
    static BackgroundOutcome of(Function function, Args... args)
    {
        BackgroundOutcome outcome;
        try {
            if constexpr (std::is_void_v<Result>) {
                function(std::move(args)...);
                outcome.m_result.emplace();
            } else {
                outcome.m_result.emplace(function(std::move(args)...));
            }
        } catch (...) {
            outcome.m_error = std::current_exception();
        }
        return outcome;
    }

    // The result, or the work's exception thrown again.
    Result take()
    {
        if (m_error)
            std::rethrow_exception(m_error);
        if constexpr (!std::is_void_v<Result>)
            return std::move(*m_result);
    }

private:
    std::optional<std::conditional_t<std::is_void_v<Result>, std::monostate, Result>> m_result;
    std::exception_ptr m_error;
};

// Runs function(args...) on the thread pool; co_await the future, then
// take() the result. Arguments are copied, so pass what the work may
// touch off the GUI thread.
template <typename Function, typename... Args>
QFuture<BackgroundOutcome<std::invoke_result_t<Function, Args...>>> runInBackground(Function function, Args... args)
{
    using Outcome = BackgroundOutcome<std::invoke_result_t<Function, Args...>>;
    return QtConcurrent::run([function, args...] { return Outcome::of(function, args...); });
}
