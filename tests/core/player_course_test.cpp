#include "physics/level_layout.h"

#include "playing_kitchen.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST_F(PlayingKitchen, FromTheStartThePlayerLandsOnTheFirstCounter)
{
    playFrames(90);
    EXPECT_NEAR(foot.y, 0.0, 0.01);
    EXPECT_NEAR(foot.x, 0.0, 1e-6);
    EXPECT_NEAR(foot.z, 0.0, 1e-6);
    EXPECT_TRUE(playerAlive);
    EXPECT_EQ(jumpsLeft, 2);
    // The counter is ground: its contact stops the fall. A frame whose move is empty (the
    // speed was just zeroed) touches nothing, so one frame's gravity is all that ever gathers.
    for (int frame = 0; frame < 10; ++frame) {
        playFrame();
        EXPECT_GE(playerSpeedY, -40.0f * frameTime);
        EXPECT_NEAR(foot.y, 0.0, 0.01);
    }
}

TEST_F(PlayingKitchen, HoldingDFromTheStartEndsOnTheKillingFloor)
{
    press(GLFW_KEY_D);
    ASSERT_TRUE(playUntilDead(600));
    EXPECT_GT(foot.z, 6.0);
    EXPECT_NEAR(foot.y, -21.0, 0.1);
}

TEST_F(PlayingKitchen, WalkingOffTheEndOfTheFirstRunDropsIntoThePitWhichKills)
{
    placePlayer({95.0, 1.1, 0.0});
    ASSERT_TRUE(playerAlive);
    press(GLFW_KEY_W);
    ASSERT_TRUE(playUntilDead(300));
    EXPECT_GT(foot.x, level::counterTops[0].offset.x + level::counterTops[0].halfExtents.x);
    EXPECT_LT(foot.x, 117.8);
    EXPECT_NEAR(foot.y, -2.0, 0.1); // the pit's floor, not the kitchen's
}

TEST_F(PlayingKitchen, OnlyTheSecondBookPileGivesTheJumpsBack)
{
    withObstacles = false;
    takeKnivesAway();

    jumpsLeft = 0;
    placePlayer({61.7, 10.0, -5.0}, 60);
    EXPECT_NEAR(foot.y, 7.7005, 0.01);
    EXPECT_EQ(jumpsLeft, 0);
    EXPECT_LT(playerSpeedY, -30.0f); // resting on it does not stop the fall speed
    EXPECT_TRUE(playerAlive);

    jumpsLeft = 0;
    placePlayer({323.05, 1.5, 31.45}, 60);
    EXPECT_NEAR(foot.y, -0.805, 0.01);
    EXPECT_EQ(jumpsLeft, 2);
    EXPECT_EQ(playerSpeedY, 0.0f);
}

TEST_F(PlayingKitchen, TheBoundaryPlanesStopThePlayerAndDoNothingElse)
{
    withObstacles = false;
    takeKnivesAway();
    const double gap = level::playerRadius + level::playerSkin;

    placePlayer({-3.0, 1.1, 0.0});
    press(GLFW_KEY_S);
    playFrames(60);
    release(GLFW_KEY_S);
    EXPECT_NEAR(foot.x, -6.0 + gap, 0.01);
    EXPECT_TRUE(playerAlive);

    placePlayer({0.0, 1.1, -3.0});
    press(GLFW_KEY_A);
    playFrames(60);
    release(GLFW_KEY_A);
    EXPECT_NEAR(foot.z, -6.0 + gap, 0.01);
    EXPECT_NEAR(foot.y, 0.0, 0.01); // still on the counter, which ends at the same z
    EXPECT_TRUE(playerAlive);

    placePlayer({230.0, 1.1, 50.0});
    press(GLFW_KEY_D);
    playFrames(60);
    release(GLFW_KEY_D);
    EXPECT_NEAR(foot.z, 55.17 - gap, 0.01);
    EXPECT_TRUE(playerAlive);

    // Past the end of table 2 the plane stands in the air beyond the table's edge.
    placePlayer({346.0, 1.1, 35.0});
    press(GLFW_KEY_W);
    double farthest = foot.x;
    for (int frame = 0; frame < 90; ++frame) {
        farthest = std::max(farthest, playFrame().x);
    }
    release(GLFW_KEY_W);
    EXPECT_NEAR(farthest, 350.81 - gap, 0.01);
}

TEST_F(PlayingKitchen, BetweenTwoGroundContactsSpaceJumpsTwiceAndVAlways)
{
    withObstacles = false;
    playFrames(90);
    ASSERT_NEAR(foot.y, 0.0, 0.01);

    press(GLFW_KEY_SPACE);
    EXPECT_EQ(jumpsLeft, 1);
    playFrames(15);
    EXPECT_EQ(jumpsLeft, 1); // in the air, nothing gave it back
    release(GLFW_KEY_SPACE);
    EXPECT_EQ(jumpsLeft, 0);
    EXPECT_EQ(playerSpeedY, 16.0f);
    playFrames(15);
    press(GLFW_KEY_SPACE);
    EXPECT_EQ(jumpsLeft, 0);
    EXPECT_LT(playerSpeedY, 16.0f);
    press(GLFW_KEY_V);
    EXPECT_EQ(jumpsLeft, -1);
    EXPECT_EQ(playerSpeedY, 16.0f);

    playFrames(120);
    EXPECT_NEAR(foot.y, 0.0, 0.01);
    EXPECT_EQ(jumpsLeft, 2);
}

TEST_F(PlayingKitchen, ASpaceJumpRisesAThirdMoreThanTheTextbookJump)
{
    withObstacles = false;
    playFrames(90);
    press(GLFW_KEY_SPACE);
    double highest = 0.0;
    int airborne = 0;
    do {
        highest = std::max(highest, playFrame().y);
        ++airborne;
    } while (foot.y > 0.001 && airborne < 120);
    // Each move uses the speed from before the frame's gravity: 3.33 rather than 3.2.
    EXPECT_NEAR(highest, 3.33, 0.02);
    EXPECT_EQ(airborne, 49);
}

TEST_F(PlayingKitchen, TouchingThePizzaReachesIt)
{
    withObstacles = false;
    playFrames(120); // the pizza settles on table 2
    placePlayer({332.0, 1.1, 23.0});
    EXPECT_FALSE(pizzaReached);
    press(GLFW_KEY_W);
    for (int frame = 0; frame < 60 && !pizzaReached; ++frame) {
        playFrame();
    }
    EXPECT_TRUE(pizzaReached);
    // Reached on first touch, at its edge (x 335) less the capsule's radius and skin.
    EXPECT_GT(foot.x, 334.5);
    EXPECT_LT(foot.x, 335.0);
    EXPECT_TRUE(playerAlive);
}

TEST_F(PlayingKitchen, RestartPutsThePlayerBackAndKeepsItsSpeedsAndKeys)
{
    press(GLFW_KEY_D);
    ASSERT_TRUE(playUntilDead(600));
    playerSpeedX = 7.0f;
    timeSinceJump = 3.0f;
    jumpsLeft = -4;
    pizzaReached = true;

    restartPlayer();
    EXPECT_EQ(gControllerManager->getController(0)->getPosition(), glm::dvec3(0.0, 20.0, 0.0));
    EXPECT_TRUE(playerAlive);
    EXPECT_FALSE(pizzaReached);
    EXPECT_EQ(jumpsLeft, 2);
    EXPECT_EQ(playerSpeedX, 7.0f);
    EXPECT_EQ(playerSpeedZ, 10.0f);
    EXPECT_TRUE(rightHeld);
    EXPECT_EQ(timeSinceJump, 3.0f);

    playerSpeedX = 0.0f;
    release(GLFW_KEY_D);
    playFrames(90);
    EXPECT_NEAR(foot.y, 0.0, 0.01);
    EXPECT_TRUE(playerAlive);
}
