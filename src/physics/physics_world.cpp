#include "physics/physics_world.h"

#include "physics/level_colliders.h"
#include "physics/obstacles.h"

#include <btBulletDynamicsCommon.h>

PhysicsEngine* gPhysics = nullptr;
PhysicsMaterial* gMaterial = nullptr;
btDiscreteDynamicsWorld* gScene = nullptr;
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
