#pragma once

#include "client/OnlineClientInstaller.h"
#include "client/UpdateChannel.h"
#include "content/CommunityContent.h"
#include "setup/SetupFlow.h"
#include "support/FileTree.h"
#include "support/SteamCmdFixture.h"
#include "support/TestServices.h"

#include <gmock/gmock.h>

#include <QSignalSpy>

// A setup flow on the fake platform, its resources folder in the temporary
// home, SteamCMD's site on the fixture server.
class SetupFlowTest : public testing::Test, protected TestServices
{
protected:
    SetupFlowTest() { platform.resources = FileTree::inHome(QStringLiteral("Resources")); }

    UpdateChannel updates{services(), operation};
    OnlineClientInstaller client{services(), operation, updates};
    CommunityContent community{services(), operation};
    SetupFlow flow{services(), operation, client, community};

    static void await(QCoro::Task<> step) { QCoro::waitFor(std::move(step)); }

    // Answers SteamCMD's download, by default with Valve's archive.
    void serveSteamCmd(int status = 200, const QByteArray &body = SteamCmdFixture::archive())
    {
        server.route(QStringLiteral("/valve/client/installer/steamcmd_linux.tar.gz"), {status, {}, body});
    }
};
