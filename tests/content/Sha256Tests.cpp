#include "content/Sha256.h"

#include <gtest/gtest.h>

TEST(Sha256, MatchesThePublishedTestVectors)
{
    EXPECT_EQ(sha256({}), QStringLiteral("e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"));
    EXPECT_EQ(sha256InBackground(QByteArray("abc")).result(),
              QStringLiteral("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"));
}
