#pragma once

#include "physics/physics_actor.h"
#include "physics/physics_material.h"

#include <glm/vec3.hpp>

#include <memory>
#include <vector>

class btBoxShape;
class btBroadphaseInterface;
class btCollisionDispatcher;
class btCollisionShape;
class btDefaultCollisionConfiguration;
class btDiscreteDynamicsWorld;
class btSequentialImpulseConstraintSolver;
class btStaticPlaneShape;

// The maker and owner of everything physical: the collision machinery of the one world, and
// every material, shape and actor made through it. They all live until the engine is deleted,
// which must come after the world it made.
class PhysicsEngine {
  public:
    PhysicsEngine();
    ~PhysicsEngine();
    PhysicsEngine(const PhysicsEngine&) = delete;
    PhysicsEngine& operator=(const PhysicsEngine&) = delete;

    // The world, with the game's contact rules; the caller deletes it before the engine. One
    // world per engine: they share the engine's broadphase.
    btDiscreteDynamicsWorld* createScene(const glm::vec3& gravity);

    PhysicsMaterial* createMaterial(float staticFriction, float dynamicFriction, float restitution);
    btBoxShape* createBoxShape(const glm::vec3& halfExtents);
    // The plane n.x + d = 0, solid on the side opposite the normal.
    btStaticPlaneShape* createPlaneShape(const glm::vec3& normal, float d);

    PhysicsActor* createRigidStatic(const Pose& pose);
    // A static actor of one plane, untagged, already carrying the default material.
    PhysicsActor* createPlane(const glm::vec3& normal, float d, const PhysicsMaterial& material);
    PhysicsActor* createRigidDynamic(btCollisionShape& shape, float mass, const Pose& pose);

    // Takes every object out of the world and puts it back in the same order, in a broadphase
    // made anew: no pair, contact or tree the world grew survives. A world that went through
    // any history and a fresh one given the same bodies then step alike, bit for bit.
    void renewBroadphase(btDiscreteDynamicsWorld& world);

    // Takes every actor out of the world it is in, before that world is deleted.
    void removeActorsFromWorld();

  private:
    std::unique_ptr<btDefaultCollisionConfiguration> configuration;
    std::unique_ptr<btCollisionDispatcher> dispatcher;
    std::unique_ptr<btBroadphaseInterface> broadphase;
    std::unique_ptr<btSequentialImpulseConstraintSolver> solver;
    std::vector<std::unique_ptr<PhysicsMaterial>> materials;
    std::vector<std::unique_ptr<btCollisionShape>> shapes;
    std::vector<std::unique_ptr<PhysicsActor>> actors;
};
