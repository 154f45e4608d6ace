#include "render/standard_rand.h"

#include <gtest/gtest.h>

// The particles' random angles and distances are scaled for 0..32767.
TEST(StandardRand, SpansFifteenBits)
{
    std::srand(7);
    int highest = 0;
    for (int i = 0; i < 100000; ++i) {
        const int value = standardRand();
        ASSERT_TRUE(value >= 0 && value <= 32767) << value;
        highest = value > highest ? value : highest;
    }
    EXPECT_GT(highest, 32000) << "the whole range, not a corner of it";
}
