#pragma once

#include "base/OperationState.h"
#include "setup/SetupFlow.h"
#include "support/FileTree.h"
#include "support/TestServices.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QSignalSpy>

// A setup flow on the fake platform, its resources folder in the temporary
// home, SteamCMD's site on the fixture server.
class SetupFlowTest : public testing::Test, protected TestServices
{
protected:
    SetupFlowTest() { platform.resources = FileTree::inHome(QStringLiteral("Resources")); }

    SetupFlow flow{services(), operation};
    QSignalSpy busyChanges{&operation, &OperationState::isBusyChanged};
    const QString steamCmdPath = QStringLiteral("/valve/client/installer/steamcmd_linux.tar.gz");

    static void await(QCoro::Task<> step) { QCoro::waitFor(std::move(step)); }

    // Packs entry of folder into archive; tar picks the compression by name.
    static void pack(const QString &archive, const QString &folder, const QString &entry)
    {
        FileTree::makeFolder(QFileInfo(archive).path());
        QProcess tar;
        tar.start(QStringLiteral("tar"), {QStringLiteral("-caf"), archive, QStringLiteral("-C"), folder, entry});
        ASSERT_TRUE(tar.waitForFinished() && tar.exitCode() == 0) << tar.readAllStandardError().toStdString();
    }

    static QByteArray readAll(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Serves an archive laid out as Valve's, "steamcmd.sh" (holding script)
    // and its files at the top, and returns its bytes.
    QByteArray serveSteamCmd(const QByteArray &script = QByteArrayLiteral("#!/bin/sh\n"))
    {
        const QString source = FileTree::inHome(QStringLiteral("steamcmd"));
        const QString packed = FileTree::inHome(QStringLiteral("steamcmd_linux.tar.gz"));
        FileTree::writeExecutable(source + QStringLiteral("/steamcmd.sh"), script);
        FileTree::writeFile(source + QStringLiteral("/linux32/steamcmd"));
        pack(packed, source, QStringLiteral("."));
        const QByteArray bytes = readAll(packed);
        server.route(steamCmdPath, {200, {}, bytes});
        return bytes;
    }
};
