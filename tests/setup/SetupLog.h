#pragma once

#include "base/Locations.h"
#include "support/FileTree.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QStringList>

// Whether the Wine setup log holds one entry per pattern, in order: a UTC
// time stamp, a space, a message that matches the pattern, a line feed.
inline testing::AssertionResult setupLogReads(const QStringList &patterns)
{
    QString entries;
    for (const QString &pattern : patterns)
        entries += QStringLiteral("\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ ") + pattern + u'\n';
    const QString log = QString::fromUtf8(FileTree::readFile(Locations::setupLogFile()));
    if (QRegularExpression(QRegularExpression::anchoredPattern(entries)).match(log).hasMatch())
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "the log reads:\n" << log.toStdString();
}
