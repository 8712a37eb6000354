#pragma once

#include "base/OperationState.h"

#include <QCoroTask>
#include <QPointer>

#include <type_traits>
#include <utility>

namespace DetachedOperation {

// A coroutine of its own, so that nothing is captured: the owner is watched
// and the arguments live in the frame.
template <typename Owner, typename... Params>
QCoro::Task<> run(QPointer<Owner> owner, OperationState *operation, QCoro::Task<> (Owner::*body)(Params...),
                  std::decay_t<Params>... args)
{
    try {
        co_await (owner.data()->*body)(std::move(args)...);
    } catch (...) {
        // Operations report their own failures; only something like running
        // out of memory gets here, and the window must work again after it.
        if (owner) {
            operation->setErrorMessage(QStringLiteral("Tarnhold ran into an unexpected error."));
            operation->end();
        }
    }
}

} // namespace DetachedOperation

// Starts owner's operation body(args...) and returns at once, as the
// window's commands and URLs need. The operation state outlives every owner.
template <typename Owner, typename... Params, typename... Args>
void startDetached(Owner *owner, OperationState &operation, QCoro::Task<> (Owner::*body)(Params...), Args &&...args)
{
    DetachedOperation::run<Owner, Params...>(owner, &operation, body, std::forward<Args>(args)...);
}
