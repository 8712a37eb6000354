#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QUrl>

#include <optional>

// What one start of Tarnhold tells the instance already running: a URL to
// handle, or, without one, a request to come to the front. On the wire it is
// one line: the encoded URL, or nothing.
struct InstanceMessage
{
    std::optional<QUrl> url;

    bool operator==(const InstanceMessage &) const = default;
};

// The line to send, newline included.
QByteArray encodeInstanceMessage(const InstanceMessage &message);

// Reads one received line without its newline; absent for lines to drop
// (too long to be ours, or not a valid URL).
std::optional<InstanceMessage> parseInstanceMessage(QByteArrayView line);

// No line Tarnhold sends is longer; a peer that sends more without ending its
// line is cut off so it cannot grow the buffer without end.
inline constexpr qsizetype maximumInstanceMessageLength = 8192;
