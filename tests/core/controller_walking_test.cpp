#include "controller_world.h"

#include <glm/geometric.hpp>
#include <gtest/gtest.h>

#include <cmath>

namespace {

// Each walking frame also asks to fall by one frame of the player's gravity, as a grounded
// player does.
constexpr float fallPerFrame = -40.0f * frameTime * frameTime;

glm::vec3 walk(float speedX, float speedZ = 0.0f)
{
    return {speedX * frameTime, fallPerFrame, speedZ * frameTime};
}

TEST(ControllerWalking, FlatGroundAdvancesEvenlyAndReportsOnlyTheGround)
{
    ControllerWorld world;
    const btCollisionObject* ground = world.addBox({50.0f, 1.0f, 50.0f}, {0.0f, -1.0f, 0.0f});
    CapsuleController& controller = world.createController({0.0, 1.05, 0.0});
    double previousX = controller.getPosition().x;
    for (int frame = 0; frame < 90; ++frame) {
        const std::uint32_t flags = world.move(walk(10.0f));
        EXPECT_NEAR(controller.getPosition().x - previousX, 0.16667, 1e-4) << frame;
        EXPECT_NEAR(controller.getFootPosition().y, 0.0, 0.002) << frame;
        EXPECT_EQ(world.touched(), std::vector<const btCollisionObject*>{ground}) << frame;
        EXPECT_EQ(flags & collisionSides, 0u) << frame;
        previousX = controller.getPosition().x;
    }
}

struct StepCase {
    float height;
    float speed;
};

class ControllerSteps : public testing::TestWithParam<StepCase> {};

// A step whose near face stands at x = 2.
TEST_P(ControllerSteps, LowStepsAreClimbedAndHighOnesBlockShortOfTheFace)
{
    const StepCase step = GetParam();
    ControllerWorld world;
    world.addBox({30.0f, 1.0f, 30.0f}, {0.0f, -1.0f, 0.0f});
    world.addBox({2.0f, step.height / 2.0f, 4.0f}, {4.0f, step.height / 2.0f, 0.0f});
    CapsuleController& controller = world.createController({0.0, 1.05, 0.0});
    const int frames = int(std::ceil(3.5f / (step.speed * frameTime)));
    for (int frame = 0; frame < frames; ++frame) {
        world.move(walk(step.speed));
    }
    if (step.height < 0.55f) {
        EXPECT_NEAR(controller.getFootPosition().y, step.height, 0.01);
        EXPECT_GT(controller.getPosition().x, 2.5);
    } else {
        EXPECT_NEAR(controller.getFootPosition().y, 0.0, 0.01);
        EXPECT_NEAR(controller.getPosition().x, 2.0 - 0.35, 0.01);
    }
}

INSTANTIATE_TEST_SUITE_P(HeightsAndSpeeds, ControllerSteps,
                         testing::Values(StepCase{0.2f, 1.0f}, StepCase{0.2f, 5.0f},
                                         StepCase{0.2f, 10.0f}, StepCase{0.45f, 1.0f},
                                         StepCase{0.45f, 5.0f}, StepCase{0.45f, 10.0f},
                                         StepCase{0.7f, 1.0f}, StepCase{0.7f, 5.0f},
                                         StepCase{0.7f, 10.0f}, StepCase{1.0f, 5.0f},
                                         StepCase{1.0f, 10.0f}));

TEST(ControllerWalking, SlidesAlongAWallMetAtFortyFiveDegrees)
{
    ControllerWorld world;
    const btCollisionObject* ground = world.addBox({30.0f, 1.0f, 30.0f}, {0.0f, -1.0f, 0.0f});
    const btCollisionObject* wall = world.addBox({20.0f, 2.0f, 0.5f}, {0.0f, 2.0f, 1.5f});
    CapsuleController& controller = world.createController({0.0, 1.05, 0.0});
    const float component = 5.0f * std::sqrt(0.5f);
    int slidingFrames = 0;
    for (int frame = 0; frame < 60; ++frame) {
        const double previousX = controller.getPosition().x;
        const std::uint32_t flags = world.move(walk(component, component));
        if (world.touched().size() == 2) {
            ++slidingFrames;
            EXPECT_EQ(world.touched(), (std::vector<const btCollisionObject*>{wall, ground}));
            EXPECT_EQ(flags, std::uint32_t(collisionSides | collisionDown));
            EXPECT_NEAR(controller.getPosition().x - previousX, component * frameTime, 1e-4);
            const double gap = 1.0 - (controller.getPosition().z + 0.3);
            EXPECT_NEAR(gap, 0.0354, 0.002);
        }
    }
    EXPECT_GT(slidingFrames, 40);
}

TEST(ControllerWalking, PushingIntoAnInnerCornerDoesNotMove)
{
    ControllerWorld world;
    const btCollisionObject* ground = world.addBox({30.0f, 1.0f, 30.0f}, {0.0f, -1.0f, 0.0f});
    const btCollisionObject* wallA = world.addBox({0.5f, 2.0f, 5.0f}, {1.5f, 2.0f, 0.0f});
    const btCollisionObject* wallB = world.addBox({5.0f, 2.0f, 0.5f}, {0.0f, 2.0f, 1.5f});
    CapsuleController& controller = world.createController({0.0, 1.05, 0.0});
    for (int frame = 0; frame < 30; ++frame) {
        world.move(walk(3.5f, 3.5f)); // into the corner
    }
    for (int frame = 0; frame < 30; ++frame) {
        const glm::dvec3 before = controller.getPosition();
        world.move(walk(3.5f, 3.5f));
        EXPECT_NEAR(glm::length(controller.getPosition() - before), 0.0, 1e-4) << frame;
        // Pushed straight into the corner, which wall comes first is a tie.
        const std::vector<const btCollisionObject*> touched = world.touched();
        ASSERT_EQ(touched.size(), 3u) << frame;
        EXPECT_TRUE((touched[0] == wallA && touched[1] == wallB) ||
                    (touched[0] == wallB && touched[1] == wallA));
        EXPECT_EQ(touched[2], ground);
    }
    // The skin is kept along the diagonal push: 0.05 * cos 45 from each wall.
    EXPECT_NEAR(controller.getPosition().x, 1.0 - 0.3 - 0.0354, 0.002);
    EXPECT_NEAR(controller.getPosition().z, 1.0 - 0.3 - 0.0354, 0.002);
}

TEST(ControllerWalking, ACeilingJustAboveTheHeadStopsTheStepButNotTheWalk)
{
    ControllerWorld world;
    const btCollisionObject* ground = world.addBox({30.0f, 1.0f, 30.0f}, {0.0f, -1.0f, 0.0f});
    // Head at 2.05; the ceiling's underside 0.1 above it.
    const btCollisionObject* ceiling = world.addBox({10.0f, 0.5f, 10.0f}, {0.0f, 2.65f, 0.0f});
    CapsuleController& controller = world.createController({0.0, 1.05, 0.0});
    for (int frame = 0; frame < 30; ++frame) {
        const double previousX = controller.getPosition().x;
        const std::uint32_t flags = world.move(walk(5.0f));
        EXPECT_EQ(world.touched(), (std::vector<const btCollisionObject*>{ceiling, ground}));
        EXPECT_EQ(flags, std::uint32_t(collisionUp | collisionDown));
        EXPECT_NEAR(controller.getFootPosition().y, 0.0, 0.002);
        EXPECT_NEAR(controller.getPosition().x - previousX, 5.0 * frameTime, 1e-4);
    }
}

} // namespace
