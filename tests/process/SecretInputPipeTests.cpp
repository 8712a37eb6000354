#include "process/SecretInputPipe.h"

#include <gtest/gtest.h>

#include <unistd.h>

// A child that has gone must fail the write, never end Tarnhold with
// SIGPIPE, whose default action would.
TEST(SecretInputPipe, AWriteWithoutAReaderFailsInsteadOfRaisingSigpipe)
{
    SecretInputPipe pipe;
    ASSERT_EQ(pipe.open(), std::nullopt);
    const int reader = ::dup(pipe.readingEnd());
    pipe.closeReadingEnd();
    EXPECT_EQ(pipe.writeLine(QStringLiteral("hunter2")), std::nullopt);
    char line[9] = {};
    EXPECT_EQ(::read(reader, line, sizeof line), 8);
    EXPECT_STREQ(line, "hunter2\n");
    ::close(reader);
    EXPECT_EQ(pipe.writeLine(QStringLiteral("hunter3")), qt_error_string(EPIPE));
    pipe.close();
    EXPECT_EQ(pipe.writeLine(QStringLiteral("hunter4")), qt_error_string(EBADF));
}

TEST(SecretInputPipe, WipingLeavesAStringThatSharesTheCharactersAlone)
{
    QString secret = QStringLiteral("hunter2");
    const QString shared = secret;
    wipeSecret(secret);
    EXPECT_TRUE(secret.isEmpty());
    EXPECT_EQ(shared, QStringLiteral("hunter2"));
}
