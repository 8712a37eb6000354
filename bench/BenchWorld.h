#pragma once

#include <QByteArray>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

// What the installation benchmarks share: sizes in MiB, incompressible
// payloads, and a temporary home set before anything reads HOME, so that
// everything they write stays out of the real one.
namespace BenchWorld {

constexpr qsizetype MiB = qsizetype(1) << 20;

inline QByteArray noise(qsizetype size, quint32 seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator(seed).fillRange(reinterpret_cast<quint32 *>(bytes.data()), size / qsizetype(sizeof(quint32)));
    return bytes;
}

struct TemporaryHome
{
    QTemporaryDir folder;
    TemporaryHome() { qputenv("HOME", QFile::encodeName(folder.path())); }
};

} // namespace BenchWorld
