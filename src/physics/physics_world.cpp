#include "physics/physics_world.h"

#include "physics/level_colliders.h"
#include "physics/obstacles.h"
#include "physics/player.h"

#include <btBulletDynamicsCommon.h>

PhysicsEngine* gPhysics = nullptr;
PhysicsMaterial* gMaterial = nullptr;
btDiscreteDynamicsWorld* gScene = nullptr;
ControllerManager* gControllerManager = nullptr;
PlayerHitCallback* gHitReport = nullptr;
std::vector<PhysicsActor*> gDynamicActors;

void initPhysics()
{
    gPhysics = new PhysicsEngine();
    gMaterial = gPhysics->createMaterial(0.5f, 0.5f, 0.6f);
    gScene = gPhysics->createScene({0.0f, -9.81f, 0.0f});
}

PhysicsActor* createDynamicBox(const glm::vec3& halfExtents, const glm::vec3& coefficients,
                               float density, const glm::vec3& position)
{
    const PhysicsMaterial* material =
        gPhysics->createMaterial(coefficients.x, coefficients.y, coefficients.z);
    btBoxShape* shape = gPhysics->createBoxShape(halfExtents);
    const float volume = 8.0f * halfExtents.x * halfExtents.y * halfExtents.z;
    PhysicsActor* actor = gPhysics->createRigidDynamic(*shape, density * volume, Pose{position});
    actor->setMaterial(*material);
    return actor;
}

void createWorld()
{
    createFreeStandingColliders();
    createPlayerController();
    for (PhysicsActor* actor : gDynamicActors) {
        actor->addTo(*gScene);
    }
}

void stepPhysics()
{
    // No sub-steps: one internal step of exactly the given length.
    gScene->stepSimulation(physicsTimeStep, 0);
}

void cleanupPhysics()
{
    // The manager takes its controller with it. The report goes too, so a new world made in
    // the same process starts with a single one.
    delete gControllerManager;
    gControllerManager = nullptr;
    delete gHitReport;
    gHitReport = nullptr;
    forgetObstacles();
    gDynamicActors.clear();
    if (gPhysics != nullptr) {
        gPhysics->removeActorsFromWorld();
    }
    delete gScene;
    gScene = nullptr;
    delete gPhysics;
    gPhysics = nullptr;
    gMaterial = nullptr;
}
