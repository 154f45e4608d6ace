#include "controller_world.h"

#include <gtest/gtest.h>

namespace {

constexpr float gravity = 40.0f;

// Falls the way the player does: this frame's move uses the speed from before its gravity, and
// a contact with the ground stops the fall.
struct Faller {
    float speedY = 0.0f;
    std::uint32_t step(ControllerWorld& world)
    {
        const std::uint32_t flags = world.move({0.0f, speedY * frameTime, 0.0f});
        speedY -= gravity * frameTime;
        if (!world.recorder.hits.empty()) {
            speedY = 0.0f;
        }
        return flags;
    }
};

TEST(ControllerResting, DropFromTwentyRestsOnTheBoxTop)
{
    ControllerWorld world;
    const btCollisionObject* ground = world.addBox({20.0f, 1.0f, 20.0f}, {0.0f, -1.0f, 0.0f});
    CapsuleController& controller = world.createController({0.0, 20.0, 0.0});
    EXPECT_NEAR(controller.getFootPosition().y, 18.95, 1e-9);

    Faller faller;
    int landedFrame = -1;
    std::uint32_t flags = 0;
    for (int frame = 0; frame < 90; ++frame) {
        flags = faller.step(world);
        if (landedFrame < 0 && !world.recorder.hits.empty()) {
            landedFrame = frame;
            EXPECT_EQ(flags, std::uint32_t(collisionDown));
            ASSERT_EQ(world.recorder.hits.size(), 1u);
            EXPECT_EQ(world.recorder.hits[0].actor, ground);
            EXPECT_NEAR(world.recorder.hits[0].worldNormal.y, 1.0f, 1e-4f);
        }
    }
    EXPECT_GT(landedFrame, 50);
    EXPECT_NEAR(controller.getPosition().y, 1.050, 0.01);
    EXPECT_NEAR(controller.getFootPosition().y, 0.0, 0.01);
}

TEST(ControllerResting, StandingStillReportsTheGroundOnceAFrameWithoutDrift)
{
    ControllerWorld world;
    const btCollisionObject* ground = world.addBox({20.0f, 1.0f, 20.0f}, {0.0f, -1.0f, 0.0f});
    CapsuleController& controller = world.createController({1.0, 1.05, 2.0});
    const float fall = -gravity * frameTime * frameTime;
    for (int frame = 0; frame < 120; ++frame) {
        const std::uint32_t flags = world.move({0.0f, fall, 0.0f});
        ASSERT_EQ(world.touched(), std::vector<const btCollisionObject*>{ground}) << frame;
        EXPECT_EQ(flags, std::uint32_t(collisionDown));
    }
    EXPECT_NEAR(controller.getFootPosition().y, 0.0, 0.002);
    EXPECT_DOUBLE_EQ(controller.getPosition().x, 1.0);
    EXPECT_DOUBLE_EQ(controller.getPosition().z, 2.0);
}

TEST(ControllerResting, AMoveNoLongerThanTheMinimumDistanceDoesNothing)
{
    ControllerWorld world;
    world.addBox({20.0f, 1.0f, 20.0f}, {0.0f, -1.0f, 0.0f});
    CapsuleController& controller = world.createController({0.0, 1.05, 0.0});
    const glm::dvec3 before = controller.getPosition();
    EXPECT_EQ(world.move({0.0f, -0.0005f, 0.0f}, 0.001f), 0u);
    EXPECT_TRUE(world.recorder.hits.empty());
    EXPECT_EQ(controller.getPosition(), before);
}

TEST(ControllerResting, SetPositionTeleportsWithoutReports)
{
    ControllerWorld world;
    world.addBox({1.0f, 1.0f, 1.0f}, {5.0f, 0.0f, 0.0f});
    CapsuleController& controller = world.createController({0.0, 1.05, 0.0});
    controller.setPosition({5.0, 0.0, 0.0}); // right inside the box: no check, no report
    EXPECT_EQ(controller.getPosition(), glm::dvec3(5.0, 0.0, 0.0));
    EXPECT_NEAR(controller.getFootPosition().y, -1.05, 1e-9);
    EXPECT_TRUE(world.recorder.hits.empty());
}

} // namespace
