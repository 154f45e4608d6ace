#pragma once

#include "physics/physics_actor.h"
#include "physics/physics_engine.h"
#include "physics/physics_material.h"
#include "physics/physics_step.h"

#include <glm/vec3.hpp>

#include <vector>

class btDiscreteDynamicsWorld;
class ControllerManager;
class PlayerHitCallback;

// The physics context: program-wide handles, made once by initPhysics/createWorld and
// released by cleanupPhysics, which leaves them as a fresh program has them (all empty). Bullet
// needs no foundation or thread dispatcher of the game's own, so the world is stepped on the
// calling thread.
struct PhysicsWorld {
    PhysicsEngine* gPhysics = nullptr;
    PhysicsMaterial* gMaterial =
        nullptr; // statics and the player: friction 0.5/0.5, restitution 0.6
    btDiscreteDynamicsWorld* gScene = nullptr;
    ControllerManager* gControllerManager = nullptr; // holds the player's controller
    PlayerHitCallback* gHitReport = nullptr;
    // Dynamic actors made but not yet in the world; createWorld adds them in this order.
    std::vector<PhysicsActor*> gDynamicActors;
};

// The program's one physics world.
extern PhysicsWorld physicsWorld;

// The engine, the default material and the world with gravity (0, -9.81, 0).
void initPhysics();

// A box of its own material (static friction, dynamic friction, restitution), mass from the
// density, identity rotation; not in the world. The caller tags it and queues it in
// gDynamicActors.
PhysicsActor* createDynamicBox(const glm::vec3& halfExtents, const glm::vec3& coefficients,
                               float density, const glm::vec3& position);

// The free-standing colliders, the player's controller, then the queued dynamic actors in
// order.
void createWorld();

// Exactly one step of 1/60 s, however long the frame was.
void stepPhysics();

// Releases everything initPhysics and createWorld made; the handles are null afterwards and
// initPhysics may run again.
void cleanupPhysics();
