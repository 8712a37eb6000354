#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Reads a file Tarnhold keeps or is handed whole (a record, a list, a
// manifest). Only a regular file, after links are resolved, of at most
// limit bytes is read; a FIFO, a device or anything larger is absent, as is
// an unreadable file. Opening never blocks, so a FIFO cannot stall the
// caller.
std::optional<QByteArray> readSmallFile(const QString &path, qint64 limit);

// The caps that fit the files Tarnhold reads whole.
inline constexpr qint64 recordSizeLimit = 1 << 20;
inline constexpr qint64 listSizeLimit = 4 << 20;
