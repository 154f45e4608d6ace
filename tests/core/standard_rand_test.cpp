#include "app/standard_rand.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(StandardRand, SpansFifteenBitsWithOneRandCallEach)
{
    std::srand(7);
    int highest = 0;
    int lowest = 32767;
    for (int i = 0; i < 100000; ++i) {
        const int value = standardRand();
        ASSERT_TRUE(value >= 0 && value <= 32767) << value;
        highest = std::max(highest, value);
        lowest = std::min(lowest, value);
    }
    EXPECT_GT(highest, 32000); // the whole range is used, not a corner of it
    EXPECT_LT(lowest, 700);

    std::srand(11);
    standardRand();
    const int second = std::rand();
    std::srand(11);
    std::rand();
    EXPECT_EQ(std::rand(), second);
}
