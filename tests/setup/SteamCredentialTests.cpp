#include "SteamDownloadTest.h"

#include <QRandomGenerator>

#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

// The test holds the credential only masked, so its own search patterns are
// no copy of it.
constexpr char16_t characterMask = 0x5A5A;
constexpr char byteMask = char(0xA5);

// Random characters made at run time, so no copy sits in the program's
// data; "é" needs two bytes in UTF-8. Long, so the allocator does not at
// once hand a freed copy to something else.
std::vector<char16_t> maskedCredential()
{
    static const char16_t alphabet[] = u"abcdefghijkmnopqrstuvwxyzABCDEFGHJKLMNPQRSTUVWXYZ23456789";
    std::vector<char16_t> masked;
    for (int index = 0; index < 200; ++index)
        masked.push_back(alphabet[QRandomGenerator::global()->bounded(int(std::size(alphabet)) - 1)] ^ characterMask);
    masked[100] = u'é' ^ characterMask;
    return masked;
}

// The credential's bytes in UTF-16 and in UTF-8, each masked. Their first
// bytes are left out: the allocator keeps its own pointers there once a
// buffer is freed.
std::vector<std::vector<char>> maskedEncodings(const std::vector<char16_t> &masked)
{
    std::vector<char> utf16;
    std::vector<char> utf8;
    for (const char16_t maskedCharacter : masked) {
        const char16_t character = maskedCharacter ^ characterMask;
        utf16.push_back(char(character & 0xFF) ^ byteMask);
        utf16.push_back(char(character >> 8) ^ byteMask);
        if (character < 0x80) {
            utf8.push_back(char(character) ^ byteMask);
        } else {
            utf8.push_back(char(0xC0 | (character >> 6)) ^ byteMask);
            utf8.push_back(char(0x80 | (character & 0x3F)) ^ byteMask);
        }
    }
    constexpr auto allocatorBytes = 32;
    return {{utf16.begin() + allocatorBytes, utf16.end()}, {utf8.begin() + allocatorBytes, utf8.end()}};
}

bool holdsAt(const char *bytes, const std::vector<char> &masked)
{
    for (size_t index = 1; index < masked.size(); ++index) {
        if (bytes[index] != (masked[index] ^ byteMask))
            return false;
    }
    return true;
}

// Whether the masked bytes, unmasked, are anywhere in this process's
// private writable memory, read through /proc/self/mem. Ranges the kernel
// will not read are skipped, as are the sanitizers' shadow reservations of
// terabytes.
bool writableMemoryHolds(const std::vector<char> &masked)
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return false;
    const QList<QByteArray> regions = maps.readAll().split('\n');
    const int memory = ::open("/proc/self/mem", O_RDONLY | O_CLOEXEC);
    if (memory < 0)
        return false;
    constexpr quint64 largestRegion = quint64(1) << 30;
    constexpr size_t chunkSize = 1 << 20;
    std::vector<char> chunk(chunkSize);
    const char first = masked.front() ^ byteMask;
    bool found = false;
    for (const QByteArray &region : regions) {
        const QList<QByteArray> fields = region.simplified().split(' ');
        if (fields.size() < 2 || fields.at(1) != "rw-p")
            continue;
        const QList<QByteArray> range = fields.at(0).split('-');
        const quint64 start = range.value(0).toULongLong(nullptr, 16);
        const quint64 end = range.value(1).toULongLong(nullptr, 16);
        if (end - start > largestRegion)
            continue;
        for (quint64 offset = start; offset < end && !found; offset += chunkSize - masked.size()) {
            const ssize_t read =
                ::pread(memory, chunk.data(), size_t(std::min<quint64>(chunkSize, end - offset)), off_t(offset));
            for (ssize_t index = 0; index + ssize_t(masked.size()) <= read && !found; ++index)
                found = chunk[size_t(index)] == first && holdsAt(chunk.data() + index, masked);
        }
    }
    ::close(memory);
    return found;
}

QString unmasked(const std::vector<char16_t> &masked)
{
    QString text(qsizetype(masked.size()), Qt::Uninitialized);
    for (size_t index = 0; index < masked.size(); ++index)
        text[qsizetype(index)] = QChar(char16_t(masked[index] ^ characterMask));
    return text;
}

// The fake is never told the credential, so it rejects it: telling it
// would leave a copy in the test's own memory.
TEST_F(SteamDownloadTest, NoCopyOfASubmittedCredentialStaysInMemory)
{
    const std::vector<char16_t> masked = maskedCredential();
    download.startEmbeddedSteamDownload();
    answer(unmasked(masked));
    ASSERT_TRUE(reaches(Kind::failed));
    for (const std::vector<char> &encoding : maskedEncodings(masked))
        EXPECT_FALSE(writableMemoryHolds(encoding));

    // The search finds a copy that is there.
    QString copy = unmasked(masked);
    EXPECT_TRUE(writableMemoryHolds(maskedEncodings(masked).front()));
    copy.fill(u' ');
}

} // namespace
