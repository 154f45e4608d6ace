#include "frame_time_histogram.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// The histogram is large; the tests keep it off the stack as the session does.
std::unique_ptr<FrameTimeHistogram> histogramOf(std::initializer_list<double> milliseconds)
{
    auto histogram = std::make_unique<FrameTimeHistogram>();
    for (const double frame : milliseconds) {
        histogram->add(frame);
    }
    return histogram;
}

} // namespace

TEST(FrameTimeHistogram, GivesTheMedianToAHundredthOfAMillisecondAndTheLongestExactly)
{
    const auto odd = histogramOf({1.234, 9.0, 1.505, 40.25, 2.005});
    EXPECT_EQ(odd->count(), 5);
    EXPECT_NEAR(odd->medianMs(), 2.0, 1e-9);
    EXPECT_DOUBLE_EQ(odd->longestMs(), 40.25);
    // The lower of the two middle frames.
    const auto even = histogramOf({1.005, 3.005, 2.005, 4.005});
    EXPECT_NEAR(even->medianMs(), 2.0, 1e-9);
}

TEST(FrameTimeHistogram, CountsAFrameBeyondItsBinsInTheLast)
{
    const auto histogram = histogramOf({900.0, 700.0, 800.0});
    EXPECT_NEAR(histogram->medianMs(), FrameTimeHistogram::binMs * (FrameTimeHistogram::bins - 1),
                1e-9);
    EXPECT_DOUBLE_EQ(histogram->longestMs(), 900.0);
}
