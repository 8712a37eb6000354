#pragma once

#include <QTest>

// Runs the event loop until condition holds, for at most five seconds.
// QTRY_* macros report through Qt Test's logger, which GoogleTest never
// hears from, so tests assert on this result instead.
template <typename Condition>
bool eventually(Condition condition)
{
    return QTest::qWaitFor(condition, 5000);
}
