#include "base/SmallFile.h"
#include "process/ProcessRunner.h"
#include "process/ProcessRunnerError.h"
#include "support/FileTree.h"
#include "support/Outcome.h"
#include "support/Wait.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>

#include <chrono>
#include <csignal>
#include <ctime>
#include <thread>

namespace {

using namespace Qt::StringLiterals;

QString script(const QByteArray &body)
{
    static int count = 0;
    const QString path = FileTree::inHome(u"bin/helper%1"_s.arg(++count));
    FileTree::writeExecutable(path, "#!/bin/sh\n" + body + "\n");
    return path;
}

// Each script with its merged output or, when it fails, the error's
// description. The limit only keeps a hanging case from hanging the test.
TEST(ProcessRunner, ReturnsTheMergedOutputAsUtf8OrFailsWithIt)
{
    const auto run = [](const QByteArray &body) {
        return ProcessRunner::run(script(body), {}, std::nullopt, std::nullopt, 60.0);
    };
    const std::tuple<QByteArray, QString, bool> cases[] = {
        {"echo one; echo two >&2; echo three", u"one\ntwo\nthree\n"_s, false},
        {"printf 'a\\377b \\342\\200\\246'", u"a\uFFFDb …"_s, false},
        // Far more than a pipe holds: the child must never block on it.
        {"head -c 1000000 /dev/zero | tr '\\000' x", QString(1000000, QLatin1Char('x')), false},
        {"echo 'one line'; exit 3", u"one line\n"_s, true},
        {"exit 3", u"The helper exited with code 3."_s, true},
        // Ended by a signal: never a success, whatever status Qt reports.
        {"kill -9 $$", QString(), true},
        // Standard input is at its end at once, so read fails rather than wait.
        {"cat; echo reading; read line", u"reading\n"_s, true},
    };
    for (const auto &[body, text, fails] : cases) {
        const Outcome<QString> outcome = outcomeOf(run(body));
        const auto error = outcome.failure<ProcessRunnerError>();
        EXPECT_EQ(bool(error), fails) << body.constData();
        EXPECT_TRUE(!error || error->kind() == ProcessRunnerError::Kind::failed);
        EXPECT_TRUE(text.isNull() || (error ? error->description() : outcome.value.value_or(QString())) == text)
            << body.constData();
    }
}

TEST(ProcessRunner, GivenEnvironmentReplacesTheInheritedOneAndAMissingProgramFailsToStartWithoutTicks)
{
    const QString helper = script("printf '%s|%s|%s|%s' \"$1\" \"$ONLY\" \"$HOME\" \"$(pwd)\"");
    const QString folder = FileTree::inHome(u"work"_s);
    FileTree::makeFolder(folder);
    EXPECT_EQ(QCoro::waitFor(ProcessRunner::run(helper, {u"a b"_s}, EnvironmentVariables{{u"ONLY"_s, u"x"_s}}, folder)),
              u"a b|x||"_s + folder);
    EXPECT_TRUE(QCoro::waitFor(ProcessRunner::run(helper, {})).startsWith(u"||"_s + FileTree::home()));

    int ticks = 0;
    EXPECT_TRUE(
        outcomeOf(ProcessRunner::run(FileTree::inHome(u"missing"_s), {}, std::nullopt, std::nullopt, 5.0, [&](double) {
            ++ticks;
        })).failure<ProcessStartError>());
    EXPECT_EQ(ticks, 0);
}

// Coarse timers move their wake-ups to round fractions of the monotonic
// clock's seconds; timers started just past a whole second would fire early.
void waitUntilJustPastAWholeSecond()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::this_thread::sleep_for(std::chrono::nanoseconds((1'025'000'000 - now.tv_nsec) % 1'000'000'000));
}

// The child notes SIGTERM and carries on: the run fails at its limit without
// waiting, the limit is cut to whole seconds in the message, and neither a
// tick nor the limit comes early. The ticks stop with the run; the child
// then writes more than a pipe holds and is reaped, not left a zombie.
TEST(ProcessRunner, TimeLimitSendsSigtermAndLeavesTheChildToBeReaped)
{
    const QString terminated = FileTree::inHome(u"terminated"_s);
    const QString pidFile = FileTree::inHome(u"pid"_s);
    const QString done = FileTree::inHome(u"done"_s);
    const QString helper = script("trap ': > \"$1\"' TERM\necho $$ > \"$2\"\nsleep 10 &\nwait\nsleep 2\n"
                                  "yes | head -c 200000\n: > \"$3\"");
    QList<double> ticks;
    waitUntilJustPastAWholeSecond();
    QElapsedTimer clock;
    clock.start();
    const auto error = outcomeOf(ProcessRunner::run(helper, {terminated, pidFile, done}, std::nullopt, std::nullopt,
                                                    2.5, [&](double seconds) { ticks.append(seconds); }))
                           .failure<ProcessRunnerError>();
    EXPECT_GE(clock.elapsed(), 2500);
    EXPECT_FALSE(QFile::exists(done));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), ProcessRunnerError::Kind::timedOut);
    EXPECT_EQ(error->description(), u"The helper did not finish within 2 seconds."_s);
    EXPECT_TRUE(eventually([&] { return QFile::exists(terminated); }));

    const pid_t pid = readSmallFile(pidFile, 64).value_or(QByteArray()).trimmed().toInt();
    ASSERT_GT(pid, 0);
    EXPECT_TRUE(eventually([&] { return QFile::exists(done); }));
    EXPECT_TRUE(eventually([&] { return ::kill(pid, 0) != 0 && errno == ESRCH; }));
    ASSERT_EQ(ticks.size(), 2);
    for (int index = 0; index < ticks.size(); ++index)
        EXPECT_GE(ticks[index], index + 1.0);
}

} // namespace
