#pragma once

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

// Downloaded bytes that are not the ones Tarnhold pinned.
class CorruptFileError final : public UserFacingError
{
public:
    CorruptFileError()
        : UserFacingError(QStringLiteral("The file couldn’t be opened because it isn’t in the correct format."))
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
