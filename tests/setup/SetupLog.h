#pragma once

#include "base/Locations.h"
#include "support/FileTree.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QStringList>

// The messages of the Wine setup log, each checked to follow a UTC time
// stamp and a space.
inline QStringList setupLogMessages()
{
    static const QRegularExpression entry(QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ (.*)$"));
    QStringList messages;
    for (const QString &line :
         QString::fromUtf8(FileTree::readFile(Locations::setupLogFile())).split(u'\n', Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch match = entry.match(line);
        EXPECT_TRUE(match.hasMatch()) << line.toStdString();
        messages.append(match.captured(1));
    }
    return messages;
}

// Whether each message matches the pattern at its place, as a whole.
inline bool messagesMatch(const QStringList &messages, const QStringList &patterns)
{
    if (messages.size() != patterns.size())
        return false;
    for (qsizetype i = 0; i < messages.size(); ++i) {
        if (!QRegularExpression(QRegularExpression::anchoredPattern(patterns[i])).match(messages[i]).hasMatch())
            return false;
    }
    return true;
}
