#include "support/ZipWriter.h"

#include "support/FileTree.h"

#include <QDataStream>
#include <QIODevice>

namespace {

quint32 crc32(const QByteArray &data)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : data) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// The fields the local and the central header share, from "version needed".
void writeCommonFields(QDataStream &out, const ZipWriter::Entry &entry)
{
    out << quint16(20) << quint16((entry.utf8Name ? 0x0800 : 0) | (entry.encrypted ? 1 : 0)) << quint16(0) << quint16(0)
        << quint16(0x21) << crc32(entry.data) << quint32(entry.data.size())
        << entry.statedSize.value_or(quint32(entry.data.size())) << quint16(entry.name.size()) << quint16(0);
}

} // namespace

namespace ZipWriter {

void write(const QString &archive, const QList<Entry> &entries)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    QList<quint32> offsets;
    for (const Entry &entry : entries) {
        offsets.append(quint32(bytes.size()));
        out << quint32(0x04034b50);
        writeCommonFields(out, entry);
        out.writeRawData(entry.name.constData(), int(entry.name.size()));
        out.writeRawData(entry.data.constData(), int(entry.data.size()));
    }
    const auto directoryStart = quint32(bytes.size());
    for (qsizetype index = 0; index < entries.size(); ++index) {
        const Entry &entry = entries.at(index);
        const auto madeBy = quint16((entry.madeOnWindows ? 0 : 3 << 8) | 20);
        out << quint32(0x02014b50) << madeBy;
        writeCommonFields(out, entry);
        out << quint16(0) << quint16(0) << quint16(0) << (entry.madeOnWindows ? quint32(0) : entry.mode << 16)
            << offsets.at(index);
        out.writeRawData(entry.name.constData(), int(entry.name.size()));
    }
    const auto directorySize = quint32(bytes.size() - directoryStart);
    out << quint32(0x06054b50) << quint16(0) << quint16(0) << quint16(entries.size()) << quint16(entries.size())
        << directorySize << directoryStart << quint16(0);
    FileTree::writeFile(archive, bytes);
}

} // namespace ZipWriter
