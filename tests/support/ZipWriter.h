#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// Writes ZIP archives byte by byte, for archives no packer on the test
// machine makes: names in a DOS code page, entries that climb out of their
// folder, links, sizes that lie.
namespace ZipWriter {

struct Entry
{
    Entry(QByteArray entryName, QByteArray entryData)
        : name(std::move(entryName))
        , data(std::move(entryData))
    {}

    QByteArray name; // raw bytes, as the archive stores them
    QByteArray data;
    bool utf8Name = false; // the flag that marks the name as UTF-8
    bool madeOnWindows = false;
    bool encrypted = false; // marked so; the data stays plain
    quint32 mode = 0100644; // a link is 0120777 with its target as data
    // The uncompressed size the archive states, when not the data's own.
    std::optional<quint32> statedSize;
};

// Stores the entries uncompressed; the test fails when it cannot write.
void write(const QString &archive, const QList<Entry> &entries);

} // namespace ZipWriter
