#include "content/BackOff.h"

#include <gtest/gtest.h>

namespace {

struct PauseCase
{
    std::optional<QByteArray> retryAfter;
    int attempt;
    double seconds;
};

class BackOffPause : public testing::TestWithParam<PauseCase>
{};

// The server's whole decimal value wins, up to two minutes; anything else
// falls back to 5 s doubling per attempt, up to one minute.
TEST_P(BackOffPause, FollowsTheServerOrFallsBackByAttempt)
{
    EXPECT_DOUBLE_EQ(BackOff::pause(GetParam().retryAfter, GetParam().attempt), GetParam().seconds)
        << GetParam().retryAfter.value_or("(none)").constData();
}

INSTANTIATE_TEST_SUITE_P(Headers, BackOffPause,
                         testing::Values(PauseCase{"3", 4, 3}, PauseCase{" \t2.5\t ", 0, 2.5}, PauseCase{"+4", 0, 4},
                                         PauseCase{"0", 2, 0}, PauseCase{"600", 0, 120}, PauseCase{"inf", 0, 120},
                                         PauseCase{std::nullopt, 0, 5}, PauseCase{"-1", 1, 10}, PauseCase{"nan", 2, 20},
                                         PauseCase{"Wed, 21 Oct 2015 07:28:00 GMT", 3, 40}, PauseCase{"soon", 4, 60},
                                         PauseCase{std::nullopt, 9, 60}, PauseCase{"1,5", 0, 5}, PauseCase{"\n3", 0, 5},
                                         PauseCase{"3 s", 0, 5}, PauseCase{"", 0, 5}));

} // namespace
