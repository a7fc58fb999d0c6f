// Round takes halves to the even neighbour, whatever the floating-point control word rounds to.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "vcl/SysUtils.h"

TEST(RoundTest, HalvesGoToTheEvenNeighbour) {
    struct Case {
        double value;
        Int64 rounded;
    };
    const Case cases[] = {
        {0.5, 0},
        {1.5, 2},
        {2.5, 2},
        {-0.5, 0},
        {-1.5, -2},
        {-2.5, -2},
        {2.4999, 2},
        {2.5001, 3},
        {-2.5001, -3},
        {0.0, 0},
        {1e15, 1000000000000000},
        {-9223372036854775808.0, std::numeric_limits<Int64>::min()},
    };
    for (const Case& c : cases) EXPECT_EQ(Round(c.value), c.rounded) << c.value;
}

TEST(RoundTest, ValuesOutsideInt64AreARangeError) {
    for (double value : {9223372036854775808.0, -1e19, std::nan("")}) EXPECT_THROW(Round(value), ERangeError);
}
