#pragma once

#include <QCoroTask>
#include <QString>

class Platform;

// The most a map import could ever accept from one package: 200 map folders
// of 150,000,000 bytes each.
inline constexpr qint64 largestMapPackageBytes = 200 * 150'000'000LL;

// The uncompressed size stated by an archive's totals line ("2 files, 20
// bytes uncompressed, …"). Throws CorruptFileError when it states none.
qint64 listedUncompressedBytes(const QString &totals);

// Unpacks a ZIP map package into folder, which it creates. The archive's
// listing must pass validateZipListing, and its uncompressed total must fit
// both largestMapPackageBytes and the free space where it unpacks, so that a
// crafted archive cannot fill the disk; nothing is unpacked otherwise.
// Listing may take 30 seconds, unpacking 60. The platform is only used
// before the first wait, so the caller may be gone after it.
QCoro::Task<> unpackMapArchive(const Platform &platform, QString archive, QString folder);
