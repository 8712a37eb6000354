#pragma once

#include "base/UserFacingError.h"

// A file or a set of files that is not what Tarnhold can use: bytes that are
// not the pinned ones, an archive that is not safe to unpack, a folder that
// is no map.
class CorruptFileError final : public UserFacingError
{
public:
    CorruptFileError()
        : UserFacingError(QStringLiteral("The file couldn’t be opened because it isn’t in the correct format."))
    {}
};
