#include "app/frame_timer.h"

#include <gtest/gtest.h>

namespace {

// Runs passes at a fixed rate on a fake clock and counts the physics steps.
int stepsAt(double passesPerSecond, int passes, double startTime = 0.0)
{
    FrameTimer timer;
    timer.start(startTime);
    int steps = 0;
    for (int pass = 1; pass <= passes; ++pass) {
        timer.sample(startTime + pass / passesPerSecond);
        steps += timer.physicsDue() ? 1 : 0;
    }
    return steps;
}

} // namespace

TEST(FrameTimer, FirstPassHasZeroFrameTime)
{
    FrameTimer timer;
    timer.start(12.5);
    EXPECT_EQ(timer.deltaTime(), 0.0f);
    EXPECT_FALSE(timer.physicsDue());
}

TEST(FrameTimer, FrameTimeIsTheDifferenceOfFloatSamples)
{
    FrameTimer timer;
    timer.start(1.0);
    EXPECT_FLOAT_EQ(timer.sample(1.25), 0.25f);
    EXPECT_FLOAT_EQ(timer.lastTime(), 1.25f);
    // Late in a long run the samples are coarse floats; the difference is of the floats.
    timer.start(3000.0);
    const float delta = timer.sample(3000.0001);
    EXPECT_EQ(delta, static_cast<float>(3000.0001) - 3000.0f);
}

TEST(FrameTimer, AtTwoHundredPassesASecondPhysicsStepsAboutEveryFourthPass)
{
    // 1/60 s gathers after 4 passes of 5 ms (3 are 15 ms); the remainder is dropped.
    const int steps = stepsAt(200.0, 200);
    EXPECT_EQ(steps, 50);
}

TEST(FrameTimer, AtThirtyPassesASecondPhysicsStepsEveryPass)
{
    EXPECT_EQ(stepsAt(30.0, 90), 90);
}

TEST(FrameTimer, ALongStallStillStepsOnceAndResetsTheAccumulator)
{
    FrameTimer timer;
    timer.start(0.0);
    timer.sample(5.0);
    EXPECT_TRUE(timer.physicsDue());
    EXPECT_EQ(timer.physicsAccumulator(), 0.0f);
    timer.sample(5.001);
    EXPECT_FALSE(timer.physicsDue()); // nothing owed from the stall
}

TEST(FrameTimer, AccumulatorResetsRatherThanCarrying)
{
    FrameTimer timer;
    timer.start(0.0);
    timer.sample(0.03); // 30 ms: one step, the extra 13 ms are lost
    EXPECT_TRUE(timer.physicsDue());
    timer.sample(0.04);
    EXPECT_FALSE(timer.physicsDue());
    EXPECT_FLOAT_EQ(timer.physicsAccumulator(),
                    static_cast<float>(0.04) - static_cast<float>(0.03));
}
