#include "SteamDownloadTest.h"

#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// The test holds the credential only masked, so its own search patterns are
// no copy of it.
constexpr char mask = char(0xA5);

// The credential's bytes in UTF-16 and in UTF-8, each masked: random
// letters made at run time, so no copy sits in the program's data, and an
// "é", which needs two bytes in UTF-8. Long, so the allocator does not at
// once hand a freed copy to something else.
std::pair<std::vector<char>, std::vector<char>> maskedCredential()
{
    static const char alphabet[] = "abcdefghijkmnopqrstuvwxyzABCDEFGHJKLMNPQRSTUVWXYZ23456789";
    std::vector<char> utf16, utf8;
    for (int index = 0; index < 200; ++index) {
        const char letter = alphabet[QRandomGenerator::global()->bounded(int(sizeof alphabet) - 1)];
        utf16.insert(utf16.end(), {char((index == 100 ? char(0xE9) : letter) ^ mask), mask});
        if (index == 100)
            utf8.insert(utf8.end(), {char(0xC3 ^ mask), char(0xA9 ^ mask)});
        else
            utf8.push_back(char(letter ^ mask));
    }
    return {utf16, utf8};
}

// Whether the masked bytes, unmasked, are anywhere in this process's
// private writable memory, read through /proc/self/mem. Ranges the kernel
// will not read are skipped, as are the sanitizers' shadow reservations of
// terabytes.
bool writableMemoryHolds(const std::vector<char> &credential)
{
    // The allocator keeps its own pointers in the first bytes of a buffer
    // it has freed.
    const std::vector<char> masked(credential.begin() + 32, credential.end());
    QFile maps(u"/proc/self/maps"_s);
    QFile memory(u"/proc/self/mem"_s);
    if (!maps.open(QIODevice::ReadOnly) || !memory.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    const auto unmasksTo = [](char byte, char maskedByte) { return byte == (maskedByte ^ mask); };
    std::vector<char> chunk(1 << 20);
    for (const QByteArray &region : maps.readAll().split('\n')) {
        qulonglong start = 0, end = 0;
        char permissions[5] = {};
        if (std::sscanf(region.constData(), "%llx-%llx %4s", &start, &end, permissions) != 3
            || qstrcmp(permissions, "rw-p") != 0 || end - start > 1ULL << 30)
            continue;
        for (qint64 offset = qint64(start); offset < qint64(end); offset += qint64(chunk.size() - masked.size())) {
            const qint64 read = memory.seek(offset)
                                    ? memory.read(chunk.data(), std::min(qint64(chunk.size()), qint64(end) - offset))
                                    : 0;
            const auto readEnd = chunk.begin() + std::max<qint64>(read, 0);
            if (std::search(chunk.begin(), readEnd, masked.begin(), masked.end(), unmasksTo) != readEnd)
                return true;
        }
    }
    return false;
}

QString unmasked(const std::vector<char> &utf16)
{
    QString text(qsizetype(utf16.size() / 2), Qt::Uninitialized);
    for (qsizetype index = 0; index < text.size(); ++index)
        text[index] = QChar(uchar(utf16[size_t(index) * 2] ^ mask));
    return text;
}

// The fake is never told the credential, so it rejects it: telling it
// would leave a copy in the test's own memory.
TEST_F(SteamDownloadTest, NoCopyOfASubmittedCredentialStaysInMemory)
{
    const auto [utf16, utf8] = maskedCredential();
    download.startEmbeddedSteamDownload();
    answer(unmasked(utf16));
    ASSERT_TRUE(reaches(Kind::failed));
    EXPECT_FALSE(writableMemoryHolds(utf16));
    EXPECT_FALSE(writableMemoryHolds(utf8));

    // The search finds a copy that is there.
    QString copy = unmasked(utf16);
    EXPECT_TRUE(writableMemoryHolds(utf16));
    copy.fill(u' ');
}

} // namespace
