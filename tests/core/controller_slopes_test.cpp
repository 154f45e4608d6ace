#include "controller_world.h"

#include <glm/geometric.hpp>
#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr float fallPerFrame = -40.0f * frameTime * frameTime;

// A ramp rising along +x whose top face meets the floor (y = 0) at x = 2.
void addRamp(ControllerWorld& world, float degrees)
{
    const float angle = degrees * float(M_PI) / 180.0f;
    const glm::vec3 centre{2.0f + 3.0f * std::cos(angle) + 0.5f * std::sin(angle),
                           3.0f * std::sin(angle) - 0.5f * std::cos(angle), 0.0f};
    world.addBody({{{4.0f, 0.5f, 2.0f}}}, centre, btQuaternion(btVector3(0, 0, 1), angle));
}

class ControllerRamps : public testing::TestWithParam<float> {};

TEST_P(ControllerRamps, WalkableUpToFortyFiveDegrees)
{
    const float degrees = GetParam();
    ControllerWorld world;
    world.addBox({30.0f, 1.0f, 30.0f}, {0.0f, -1.0f, 0.0f});
    addRamp(world, degrees);
    CapsuleController& controller = world.createController({0.0, 1.05, 0.0});
    for (int frame = 0; frame < 90; ++frame) {
        world.move({5.0f * frameTime, fallPerFrame, 0.0f});
    }
    if (degrees < 45.0f) {
        EXPECT_GT(controller.getFootPosition().y, 2.0);
    } else {
        EXPECT_NEAR(controller.getFootPosition().y, 0.0, 0.002);
        EXPECT_LT(controller.getPosition().x, 2.0);
    }
}

INSTANTIATE_TEST_SUITE_P(Degrees, ControllerRamps, testing::Values(30.0f, 44.0f, 46.0f, 60.0f));

TEST(ControllerSlopes, StandingOnASixtyDegreeSlopeDoesNotDrift)
{
    ControllerWorld world;
    addRamp(world, 60.0f);
    CapsuleController& controller = world.createController({4.0, 6.0, 0.0});
    for (int frame = 0; frame < 60; ++frame) {
        world.move({0.0f, -0.2f, 0.0f}); // settle onto the slope
    }
    const glm::dvec3 settled = controller.getPosition();
    ASSERT_LT(settled.y, 5.0);
    for (int frame = 0; frame < 120; ++frame) {
        world.move({0.0f, fallPerFrame, 0.0f});
    }
    EXPECT_NEAR(glm::length(controller.getPosition() - settled), 0.0, 1e-3);
}

// A ledge whose edge is at x = 5, its top at y = 0.
class ControllerLedge : public testing::Test {
  protected:
    ControllerWorld world;
    const btCollisionObject* ledge = world.addBox({5.0f, 1.0f, 5.0f}, {0.0f, -1.0f, 0.0f});
    const btCollisionObject* below = world.addBox({30.0f, 1.0f, 30.0f}, {0.0f, -12.0f, 0.0f});
};

TEST_F(ControllerLedge, PerchesWithTheAxisAFifthPastTheEdge)
{
    CapsuleController& controller = world.createController({5.2, 1.05, 0.0});
    for (int frame = 0; frame < 60; ++frame) {
        world.move({0.0f, fallPerFrame, 0.0f});
        if (frame > 10) {
            EXPECT_EQ(world.touched(), std::vector<const btCollisionObject*>{ledge});
        }
    }
    EXPECT_NEAR(controller.getFootPosition().y, -0.076, 0.003);
    EXPECT_DOUBLE_EQ(controller.getPosition().x, 5.2);
}

TEST_F(ControllerLedge, FallsWhenTheAxisIsFurtherOut)
{
    CapsuleController& controller = world.createController({5.32, 1.05, 0.0});
    for (int frame = 0; frame < 60; ++frame) {
        world.move({0.0f, -0.2f, 0.0f});
    }
    EXPECT_NEAR(controller.getFootPosition().y, -11.0, 0.01);
    EXPECT_EQ(world.touched(), std::vector<const btCollisionObject*>{below});
}

TEST(ControllerSlopes, WalkingOffASmallDropDoesNotSnapDown)
{
    ControllerWorld world;
    world.addBox({5.0f, 1.0f, 5.0f}, {0.0f, -1.0f, 0.0f});
    world.addBox({5.0f, 1.0f, 5.0f}, {10.0f, -1.2f, 0.0f});
    CapsuleController& controller = world.createController({4.5, 1.05, 0.0});
    double lowest = 0.0;
    for (int frame = 0; frame < 15; ++frame) {
        world.move({5.0f * frameTime, fallPerFrame, 0.0f});
        const double foot = controller.getFootPosition().y;
        // Past the edge the capsule sinks by the requested fall only, never by the drop at once.
        EXPECT_GE(foot, lowest + fallPerFrame - 1e-4) << frame;
        lowest = foot;
    }
    EXPECT_LT(lowest, -0.05); // it did go over the edge
}

} // namespace
