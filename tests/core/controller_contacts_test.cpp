#include "controller_world.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr float fallPerFrame = -40.0f * frameTime * frameTime;

bool contains(const std::vector<const btCollisionObject*>& objects, const btCollisionObject* one)
{
    return std::find(objects.begin(), objects.end(), one) != objects.end();
}

TEST(ControllerContacts, ADynamicBoxBlocksIsReportedEveryFrameAndIsNotPushed)
{
    ControllerWorld world;
    world.addBox({30.0f, 1.0f, 30.0f}, {0.0f, -1.0f, 0.0f});
    const btCollisionObject* crate = world.addBox({0.5f, 0.5f, 0.5f}, {2.0f, 0.5f, 0.0f}, 1.0f);
    CapsuleController& controller = world.createController({0.0, 1.05, 0.0});
    for (int frame = 0; frame < 30; ++frame) {
        world.stepPhysics(); // let the crate settle
    }
    const btVector3 rest = crate->getWorldTransform().getOrigin();
    int blockedFrames = 0;
    for (int frame = 0; frame < 60; ++frame) {
        world.stepPhysics();
        world.move({5.0f * frameTime, fallPerFrame, 0.0f});
        if (controller.getPosition().x > 1.5 - 0.35 - 0.002) {
            ++blockedFrames;
            EXPECT_TRUE(contains(world.touched(), crate)) << frame;
        }
    }
    EXPECT_GT(blockedFrames, 30);
    EXPECT_NEAR(controller.getPosition().x, 1.5 - 0.35, 0.01);
    EXPECT_LT((crate->getWorldTransform().getOrigin() - rest).length(), 0.01f);
}

TEST(ControllerContacts, SpawnedInsideAWallOneMoveRestoresTheSkinGap)
{
    ControllerWorld world;
    world.addBox({30.0f, 1.0f, 30.0f}, {0.0f, -1.0f, 0.0f});
    const btCollisionObject* wall = world.addBox({0.5f, 3.0f, 5.0f}, {1.5f, 3.0f, 0.0f});
    // The wall's face is at x = 1: the capsule reaches 0.1 into it.
    CapsuleController& controller = world.createController({1.0 - 0.3 + 0.1, 1.05, 0.0});
    const std::uint32_t flags = world.move({0.0f, fallPerFrame, 0.0f});
    EXPECT_NEAR(1.0 - (controller.getPosition().x + 0.3), 0.05, 0.005);
    EXPECT_NEAR(controller.getFootPosition().y, 0.0, 0.005);
    EXPECT_FALSE(contains(world.touched(), wall)); // the push out is not reported
    EXPECT_NE(flags & collisionUp, 0u);            // but counts as a collision of the first pass
}

TEST(ControllerContacts, ReportsNameTheCompoundChildTheSweepDirectionAndItsLength)
{
    ControllerWorld world;
    const btCollisionObject* floor = world.addBody(
        {{{5.0f, 1.0f, 5.0f}, {-5.0f, 0.0f, 0.0f}}, {{5.0f, 1.0f, 5.0f}, {5.0f, 0.0f, 0.0f}}},
        {0.0f, -1.0f, 0.0f});
    world.createController({3.0, 1.2, 0.0});
    world.move({0.0f, -0.3f, 0.0f});
    ASSERT_EQ(world.recorder.hits.size(), 1u);
    const ShapeHit& hit = world.recorder.hits[0];
    EXPECT_EQ(hit.actor, floor);
    EXPECT_EQ(hit.shapeIndex, 1);
    EXPECT_NEAR(hit.direction.y, -1.0f, 1e-6f);
    EXPECT_NEAR(hit.length, 0.3f, 1e-6f);
    EXPECT_NEAR(hit.worldNormal.y, 1.0f, 1e-4f);
    EXPECT_NEAR(hit.worldPosition.y, 0.0, 0.002);
    EXPECT_NEAR(world.controller().getGroundHit()->worldNormal.y, 1.0f, 1e-4f);
}

TEST(ControllerContacts, DynamicBodiesLandOnTheProxyAndOverlapsAreFound)
{
    ControllerWorld world;
    world.addBox({30.0f, 1.0f, 30.0f}, {0.0f, -1.0f, 0.0f});
    const btCollisionObject* knife = world.addBox({0.1f, 0.1f, 0.1f}, {0.0f, 3.0f, 0.0f}, 1.0f);
    CapsuleController& controller = world.createController({0.0, 1.05, 0.0});
    for (int frame = 0; frame < 120; ++frame) {
        world.stepPhysics();
    }
    // The proxy's top (centre + 0.8 * 1.0) holds the knife up.
    EXPECT_GT(knife->getWorldTransform().getOrigin().y(), 1.05f + 0.7f);

    auto& body = const_cast<btCollisionObject&>(*knife);
    body.getWorldTransform().setOrigin(btVector3(0.0f, 1.05f, 0.25f)); // right inside the capsule
    world.world().updateSingleAabb(&body);
    EXPECT_TRUE(contains(controller.findOverlaps(), knife));
    world.move({0.0f, fallPerFrame, 0.0f});
    EXPECT_FALSE(contains(world.touched(), knife)); // sweeps starting inside report nothing
}

TEST(ControllerContacts, WithoutTheProxyDynamicBodiesFallThrough)
{
    ControllerWorld world;
    world.addBox({30.0f, 1.0f, 30.0f}, {0.0f, -1.0f, 0.0f});
    const btCollisionObject* knife = world.addBox({0.1f, 0.1f, 0.1f}, {0.0f, 3.0f, 0.0f}, 1.0f);
    CapsuleControllerSettings settings;
    settings.position = {0.0, 1.05, 0.0};
    settings.kinematicProxy = false;
    CapsuleController controller(&world.world(), settings);
    for (int frame = 0; frame < 120; ++frame) {
        world.stepPhysics();
    }
    EXPECT_LT(knife->getWorldTransform().getOrigin().y(), 0.2f);
}

TEST(ControllerManagerTest, HandsOutItsControllersByNumber)
{
    ControllerWorld world;
    ControllerManager manager(&world.world());
    EXPECT_EQ(manager.getNbControllers(), 0);
    EXPECT_EQ(manager.getController(0), nullptr);
    CapsuleControllerSettings settings;
    CapsuleController* created = manager.createController(settings);
    EXPECT_EQ(manager.getNbControllers(), 1);
    EXPECT_EQ(manager.getController(0), created);
    EXPECT_EQ(manager.getController(1), nullptr);
    EXPECT_EQ(created->getPosition(), glm::dvec3(0.0, 20.0, 0.0));
}

} // namespace
