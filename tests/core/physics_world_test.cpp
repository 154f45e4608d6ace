#include "physics/obstacles.h"
#include "physics/physics_world.h"

#include "kitchen_world.h"

#include <btBulletDynamicsCommon.h>
#include <gtest/gtest.h>

// However long a frame took, the world moves on by exactly 1/60 s under gravity.
TEST(PhysicsWorld, EachStepIsOneSixtiethOfASecondUnderGravity)
{
    initPhysics();
    PhysicsActor* box = createDynamicBox({1, 1, 1}, {0.5f, 0.5f, 0.5f}, 1.0f, {0, 50, 0});
    box->addTo(*physicsWorld.gScene);
    for (int step = 0; step < 3; ++step) {
        stepPhysics();
    }
    EXPECT_NEAR(box->body().getLinearVelocity().y(), -3.0f * 9.81f / 60.0f, 1e-5f);
    // Semi-implicit steps: each moves by the velocity it has just gained.
    EXPECT_NEAR(box->getGlobalPose().position.y, 50.0f - 6.0f * 9.81f / 3600.0f, 1e-4f);
    cleanupPhysics();
}

// Another game in the same process builds the whole kitchen again; the sanitizer build checks
// that nothing of a released world is left behind or still used.
TEST(PhysicsWorld, TheWholeKitchenCanBeBuiltAndReleasedAgainAndAgain)
{
    int objects = 0;
    for (int round = 0; round < 3; ++round) {
        initPhysics();
        createKitchenActors();
        createWorld();
        createHazard();
        for (int frame = 0; frame < 30; ++frame) {
            updateObstacles();
            advanceObstacleTimers(physicsTimeStep);
            stepPhysics();
        }
        // Nothing of an earlier round is carried into the next world.
        objects = round == 0 ? physicsWorld.gScene->getNumCollisionObjects() : objects;
        EXPECT_EQ(physicsWorld.gScene->getNumCollisionObjects(), objects);
        cleanupPhysics();
        obstacles.knifeTimer = 0.0f;
        obstacles.hazardTimer = 0.0f;
    }
}
