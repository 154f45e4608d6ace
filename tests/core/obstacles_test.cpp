#include "physics/level_layout.h"

#include "kitchen_world.h"

#include <btBulletDynamicsCommon.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

// Periods are counted in frames of 1/60 s, whose sum in floats is a hair off.
constexpr int framesPerSecond = 60;

TEST_F(KitchenWorld, KnivesAreThrownAtOnceAndPutBackAndThrownAgainEveryTenSeconds)
{
    updateObstacles();
    for (PhysicsActor* knife : knives) {
        const btVector3 velocity = knife->body().getLinearVelocity();
        EXPECT_LT(velocity.x(), -1.0f); // back towards the start
        EXPECT_LT(velocity.y(), -1.0f);
    }
    std::vector<int> putBack;
    for (int frame = 0; frame < 10 * framesPerSecond + 10; ++frame) {
        advanceObstacleTimers(physicsTimeStep);
        stepPhysics();
        updateObstacles();
        if (knives[0]->getGlobalPose().position == level::knifeResets[0]) {
            putBack.push_back(frame + 1);
            for (std::size_t i = 0; i < knives.size(); ++i) {
                const Pose pose = knives[i]->getGlobalPose();
                EXPECT_EQ(pose.position, level::knifeResets[i]);
                EXPECT_NEAR(glm::angle(pose.rotation), 0.0f, 1e-6f);          // upright again
                EXPECT_LT(knives[i]->body().getLinearVelocity().y(), -10.0f); // thrown
            }
        }
    }
    ASSERT_EQ(putBack.size(), 1u);
    EXPECT_GE(putBack[0], 10 * framesPerSecond);
    EXPECT_LE(putBack[0], 10 * framesPerSecond + 1);
}

TEST_F(KitchenWorld, TheHazardHopsEveryTwoSecondsBetweenItsFiveSpots)
{
    std::vector<int> hopFrames;
    std::vector<glm::vec3> spots;
    obstacles.hopListener = [&](const glm::vec3& spot) { spots.push_back(spot); };
    for (int frame = 0; frame < 20 * framesPerSecond + 15; ++frame) {
        const std::size_t heard = spots.size();
        updateObstacles();
        advanceObstacleTimers(physicsTimeStep);
        if (spots.size() > heard) {
            hopFrames.push_back(frame);
            // The particle stream is told where the hazard now stands.
            EXPECT_EQ(hazard->getGlobalPose().position, spots.back());
        }
    }
    ASSERT_EQ(hopFrames.size(), 10u);
    int previous = 0;
    for (int frame : hopFrames) {
        EXPECT_GE(frame - previous, 2 * framesPerSecond);
        EXPECT_LE(frame - previous, 2 * framesPerSecond + 1);
        previous = frame;
    }
    for (const glm::vec3& spot : spots) {
        EXPECT_NE(std::find(level::hazardSpots.begin(), level::hazardSpots.end(), spot),
                  level::hazardSpots.end());
    }
    EXPECT_LT(std::count(spots.begin(), spots.end(), spots[0]), 10) << "it hops about";
}

// A restore draws the random sequence on to where the snapshot's hops left it and never back;
// the hop listener (the particles, the hop's sound) hears only a hazard that moves.
TEST_F(KitchenWorld, ARestoreDrawsTheRandomSequenceOnAndIsHeardOnlyWhenTheHazardMoves)
{
    std::vector<glm::vec3> heard;
    obstacles.hopListener = [&](const glm::vec3& spot) { heard.push_back(spot); };
    std::srand(7);
    std::rand();
    std::rand();
    const int third = std::rand();
    std::srand(7);

    EXPECT_TRUE(restoreObstacles(1.5f, 0.25f, 2, level::hazardSpots[0]));
    EXPECT_TRUE(heard.empty()) << "the hazard stands where it stood";
    EXPECT_EQ(std::rand(), third) << "two draws, one for each hop";
    EXPECT_EQ(obstacles.knifeTimer, 1.5f);
    EXPECT_EQ(obstacles.hazardTimer, 0.25f);

    EXPECT_TRUE(restoreObstacles(0.0f, 0.0f, 2, level::hazardSpots[3]));
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0], level::hazardSpots[3]);
    EXPECT_EQ(hazard->getGlobalPose().position, level::hazardSpots[3]);

    // Back to one hop, as a watched run played again from its start: the unseeded sequence
    // starts over and its start-up draws and the hop's are made again.
    obstacles.drawsBeforeHazard = 3;
    EXPECT_TRUE(restoreObstacles(0.0f, 0.0f, 1, level::hazardSpots[0]));
    EXPECT_EQ(hazard->getGlobalPose().position, level::hazardSpots[0]);
    const int afterHop = std::rand();
    std::srand(1);
    for (int draw = 0; draw < 4; ++draw) {
        std::rand();
    }
    EXPECT_EQ(afterHop, std::rand());
}
