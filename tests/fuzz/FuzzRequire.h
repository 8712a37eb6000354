#pragma once

#include <QByteArray>
#include <QDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A property every input must keep. Breaking it aborts, which libFuzzer
// reports as a crash and saves the input that caused it.
#define FUZZ_REQUIRE(property)                                                                                         \
    ((property)                                                                                                        \
         ? void()                                                                                                      \
         : (std::fprintf(stderr, "Broken property: %s (%s:%d)\n", #property, __FILE__, __LINE__), std::abort()))

// The libFuzzer entry point; the body that follows reads the input under the
// name given, without a copy of libFuzzer's buffer.
#define FUZZ_TARGET(bytes)                                                                                             \
    static void fuzzOne(const QByteArray &bytes);                                                                      \
    extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)                                            \
    {                                                                                                                  \
        fuzzOne(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));                       \
        return 0;                                                                                                      \
    }                                                                                                                  \
    static void fuzzOne(const QByteArray &bytes)

// Whether an archive entry unpacked into folder lands inside it.
inline bool landsInside(const QString &folder, const QString &entry)
{
    const QString landing = QDir::cleanPath(folder + QLatin1Char('/') + entry);
    return landing == folder || landing.startsWith(folder + QLatin1Char('/'));
}
