// Music-theory values at the ends of their ranges: misuse is answered with the library's
// own exceptions, never with overflow.
#include "MusicTheory.h"

#include <gtest/gtest.h>

#include <climits>

using namespace vantor::MusicTheory;

// A staff-step count at the end of the long long range once overflowed while being turned
// into an interval number.
TEST(MusicTheoryHostileInput, StaffStepCountsAtTheEndsOfTheRange)
{
    for (long long lSteps : {LLONG_MIN, LLONG_MIN + 1, LLONG_MAX, LLONG_MAX - 1, static_cast<long long>(INT_MAX),
                             static_cast<long long>(INT_MIN)})
        EXPECT_THROW(Interval::Number::fromDifferenceInStaffPositions(lSteps), OutOfRangeException) << lSteps;
    EXPECT_EQ(Interval::Number::fromDifferenceInStaffPositions(INT_MAX - 1).getNumStaffPositions(), INT_MAX);
    EXPECT_EQ(Interval::Number::fromDifferenceInStaffPositions(INT_MIN + 1).getNumStaffPositions(), INT_MIN);
}
