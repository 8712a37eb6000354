#pragma once

#include <QCoroTask>
#include <QString>

class Platform;

// Unpacks a ZIP archive into the folder once its listing shows that no entry
// would land outside it; an archive that would is refused whole. The platform
// is only used before the first wait, so the caller may be gone after it.
QCoro::Task<> unpackZipInside(const Platform &platform, QString archive, QString destination);
