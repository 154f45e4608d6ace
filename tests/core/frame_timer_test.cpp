#include "game/frame_timer.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(FrameTimer, PhysicsStepsAtMostOncePerPassAndDropsWhatIsOver)
{
    // On a fake clock: at 200 passes a second 1/60 s gathers after 4 passes of 5 ms (3 are
    // 15 ms) and the remainder is dropped; at 30 a second every pass steps.
    for (const auto& [passesPerSecond, passes, steps] :
         {std::tuple{200.0, 200, 50}, std::tuple{30.0, 90, 90}}) {
        FrameTimer timer;
        timer.start(0.0);
        int stepped = 0;
        for (int pass = 1; pass <= passes; ++pass) {
            timer.sample(pass / passesPerSecond);
            stepped += timer.physicsDue() ? 1 : 0;
        }
        EXPECT_EQ(stepped, steps) << passesPerSecond;
    }

    FrameTimer timer;
    timer.start(12.5);
    EXPECT_FLOAT_EQ(timer.sample(17.5), 5.0f);
    EXPECT_TRUE(timer.physicsDue()); // a 5 s stall steps once ...
    timer.sample(17.501);
    EXPECT_FALSE(timer.physicsDue()); // ... and owes nothing after
}
