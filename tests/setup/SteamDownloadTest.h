#pragma once

#include "setup/SteamCmdCommand.h"
#include "setup/SteamDownload.h"
#include "support/SteamCmdFixture.h"
#include "support/TestServices.h"
#include "support/Wait.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

using Kind = SteamSessionPhase::Kind;
using namespace Qt::Literals::StringLiterals;

// A Steam download with the fake SteamCMD in place and an account name
// typed with spaces around it.
class SteamDownloadTest : public testing::Test, protected TestServices
{
protected:
    SteamDownloadTest() { download.setSteamAccount(u"  gordon_1 "_s); }

    Kind phase() const { return download.steamSessionPhase().kind(); }
    bool reaches(Kind kind)
    {
        return eventually([&] { return phase() == kind; });
    }
    // Types value once SteamCMD asks for a password or a code.
    void answer(QString value)
    {
        ASSERT_TRUE(eventually([&] { return phase() == Kind::password || phase() == Kind::guardCode; }));
        download.submitSteamCredential(std::move(value));
        EXPECT_EQ(phase(), Kind::connecting);
    }

    const SteamCmdFixture steam{SteamCmdCommand::folder()};
    SteamDownload download{services(), operation};
    QSignalSpy ready{&download, &SteamDownload::gameFilesReady};
};
