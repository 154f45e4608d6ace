#include "physics/physics_world.h"

#include "physics/level_colliders.h"
#include "physics/obstacles.h"
#include "physics/player.h"

#include <btBulletDynamicsCommon.h>

PhysicsWorld physicsWorld;

void initPhysics()
{
    physicsWorld.gPhysics = new PhysicsEngine();
    physicsWorld.gMaterial = physicsWorld.gPhysics->createMaterial(0.5f, 0.5f, 0.6f);
    physicsWorld.gScene = physicsWorld.gPhysics->createScene({0.0f, -9.81f, 0.0f});
}

PhysicsActor* createDynamicBox(const glm::vec3& halfExtents, const glm::vec3& coefficients,
                               float density, const glm::vec3& position)
{
    const PhysicsMaterial* material =
        physicsWorld.gPhysics->createMaterial(coefficients.x, coefficients.y, coefficients.z);
    btBoxShape* shape = physicsWorld.gPhysics->createBoxShape(halfExtents);
    const float volume = 8.0f * halfExtents.x * halfExtents.y * halfExtents.z;
    PhysicsActor* actor =
        physicsWorld.gPhysics->createRigidDynamic(*shape, density * volume, Pose{position});
    actor->setMaterial(*material);
    return actor;
}

void createWorld()
{
    createFreeStandingColliders();
    createPlayerController();
    for (PhysicsActor* actor : physicsWorld.gDynamicActors) {
        actor->addTo(*physicsWorld.gScene);
    }
}

void stepPhysics()
{
    // No sub-steps: one internal step of exactly the given length.
    physicsWorld.gScene->stepSimulation(physicsTimeStep, 0);
}

void cleanupPhysics()
{
    // The manager takes its controller with it. The report goes too, so a new world made in
    // the same process starts with a single one.
    delete physicsWorld.gControllerManager;
    delete physicsWorld.gHitReport;
    forgetObstacles();
    if (physicsWorld.gPhysics != nullptr) {
        physicsWorld.gPhysics->removeActorsFromWorld();
    }
    delete physicsWorld.gScene;
    delete physicsWorld.gPhysics;
    physicsWorld = PhysicsWorld{};
}
