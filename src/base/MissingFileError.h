#pragma once

#include "base/UserFacingError.h"

#include <QString>

// A file an operation needs is not there; the description names it.
class MissingFileError final : public UserFacingError
{
public:
    explicit MissingFileError(const QString &fileName)
        : UserFacingError(
            QStringLiteral("The file “%1” couldn’t be opened because there is no such file.").arg(fileName))
    {}
};
