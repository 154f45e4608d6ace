#include "physics/actor_tags.h"
#include "physics/obstacles.h"
#include "physics/physics_world.h"

#include "kitchen_world.h"

#include <btBulletDynamicsCommon.h>
#include <gtest/gtest.h>

namespace {

btVector3 velocityOf(const PhysicsActor& actor)
{
    return actor.body().getLinearVelocity();
}

} // namespace

TEST(PhysicsWorld, DynamicBoxTakesItsMassFromTheDensityAndWaitsOutsideTheWorld)
{
    initPhysics();
    PhysicsActor* box =
        createDynamicBox({0.1f, 3.0f, 1.0f}, {0.5f, 0.4f, 0.3f}, 10.0f, {30.0f, 15.0f, 2.0f});
    EXPECT_FLOAT_EQ(1.0f / box->body().getInvMass(), 24.0f);
    EXPECT_FLOAT_EQ(box->body().getFriction(), 0.4f);
    EXPECT_FLOAT_EQ(box->body().getRestitution(), 0.3f);
    EXPECT_TRUE(box->isDynamic());
    EXPECT_FALSE(box->isInWorld());
    const Pose pose = box->getGlobalPose();
    EXPECT_EQ(pose.position, glm::vec3(30.0f, 15.0f, 2.0f));
    EXPECT_EQ(pose.rotation, glm::quat(1.0f, 0.0f, 0.0f, 0.0f));
    EXPECT_EQ(gScene->getNumCollisionObjects(), 0);
    cleanupPhysics();
}

TEST(PhysicsWorld, CreateWorldAddsTheQueuedActorsLastAndInOrder)
{
    initPhysics();
    PhysicsActor* first = createDynamicBox({1, 1, 1}, {0.5f, 0.5f, 0.5f}, 1.0f, {0, 50, 0});
    PhysicsActor* second = createDynamicBox({1, 1, 1}, {0.5f, 0.5f, 0.5f}, 1.0f, {9, 50, 0});
    gDynamicActors = {second, first};
    createWorld();
    const auto& objects = gScene->getCollisionObjectArray();
    const int count = objects.size();
    ASSERT_GE(count, 2);
    EXPECT_EQ(objects[count - 2], &second->body());
    EXPECT_EQ(objects[count - 1], &first->body());
    EXPECT_TRUE(first->isInWorld());
    cleanupPhysics();
    EXPECT_EQ(gPhysics, nullptr);
    EXPECT_EQ(gScene, nullptr);
    EXPECT_EQ(gMaterial, nullptr);
    EXPECT_TRUE(gDynamicActors.empty());
}

TEST(PhysicsWorld, EachStepIsOneSixtiethOfASecondUnderGravity)
{
    initPhysics();
    PhysicsActor* box = createDynamicBox({1, 1, 1}, {0.5f, 0.5f, 0.5f}, 1.0f, {0, 50, 0});
    box->addTo(*gScene);
    stepPhysics();
    EXPECT_NEAR(velocityOf(*box).y(), -9.81f / 60.0f, 1e-5f);
    stepPhysics();
    stepPhysics();
    EXPECT_NEAR(velocityOf(*box).y(), -3.0f * 9.81f / 60.0f, 1e-5f);
    // Semi-implicit steps: each moves by the velocity it has just gained.
    EXPECT_NEAR(box->getGlobalPose().position.y, 50.0f - 6.0f * 9.81f / 3600.0f, 1e-4f);
    cleanupPhysics();
}

// Every test builds and releases its own world; the sanitizer build checks that nothing of a
// released world is left behind.
TEST(PhysicsWorld, TheWholeKitchenCanBeBuiltAndReleasedAgainAndAgain)
{
    for (int round = 0; round < 3; ++round) {
        initPhysics();
        createKnives();
        const LevelActors level = buildLevelColliders();
        createWorld();
        createHazard();
        for (int frame = 0; frame < 30; ++frame) {
            updateObstacles();
            advanceObstacleTimers(physicsTimeStep);
            stepPhysics();
        }
        EXPECT_EQ(tagOf(level.pizza->body()), pizzaTag);
        EXPECT_EQ(gDynamicActors.size(), 7u);
        cleanupPhysics();
        knifeTimer = 0.0f;
        hazardTimer = 0.0f;
    }
}

TEST_F(KitchenWorld, KnivesAndPizzaAreQueuedInCreationOrder)
{
    ASSERT_EQ(gDynamicActors.size(), 7u);
    for (std::size_t i = 0; i < knives.size(); ++i) {
        EXPECT_EQ(gDynamicActors[i], knives[i]);
        EXPECT_EQ(knives[i]->tag(), killTag);
        EXPECT_TRUE(knives[i]->isInWorld());
    }
    EXPECT_EQ(gDynamicActors[6], level.pizza);
    EXPECT_FLOAT_EQ(1.0f / level.pizza->body().getInvMass(), 4.0f * 10.0f * 0.5f * 10.0f);
}
