#include "content/BackOff.h"

#include <gtest/gtest.h>

namespace {

// The server's whole decimal value wins, up to two minutes; anything else
// falls back to 5 s doubling per attempt, up to one minute.
TEST(BackOff, FollowsTheServerOrFallsBackByAttempt)
{
    const std::tuple<std::optional<QByteArray>, int, double> pauses[] = {
        {"3", 4, 3},     {" \t2.5\t ", 0, 2.5}, {"+4", 0, 4},  {"0", 2, 0},    {"600", 0, 120},
        {"inf", 0, 120}, {std::nullopt, 0, 5},  {"-1", 1, 10}, {"nan", 2, 20}, {"Wed, 21 Oct 2015 07:28:00 GMT", 3, 40},
        {"soon", 4, 60}, {std::nullopt, 9, 60}, {"1,5", 0, 5}, {"\n3", 0, 5},  {"3 s", 0, 5},
        {"", 0, 5},
    };
    for (const auto &[retryAfter, attempt, seconds] : pauses)
        EXPECT_DOUBLE_EQ(BackOff::pause(retryAfter, attempt), seconds) << retryAfter.value_or("(none)").constData();
}

} // namespace
