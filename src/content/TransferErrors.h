#pragma once

#include "base/CorruptFileError.h"
#include "base/UserFacingError.h"

// The transfer itself failed: no connection, a time-out, a dropped
// connection, too many redirects. It carries the network layer's own text.
class TransportError final : public UserFacingError
{
public:
    using UserFacingError::UserFacingError;
};

// An answer that is not an HTTP response.
class BadServerResponseError final : public UserFacingError
{
public:
    BadServerResponseError()
        : UserFacingError(QStringLiteral("The server returned a response Tarnhold cannot read."))
    {}
};

// The model that ran the operation is gone.
class CancelledError final : public UserFacingError
{
public:
    CancelledError()
        : UserFacingError(QStringLiteral("The operation was cancelled."))
    {}
};
