#pragma once

#include "physics/capsule_controller.h"

#include <btBulletDynamicsCommon.h>
#include <glm/vec3.hpp>

#include <memory>
#include <string>
#include <vector>

// Records every shape a move touched.
class HitRecorder : public ControllerHitReport {
  public:
    std::vector<ShapeHit> hits;
    void onShapeHit(const ShapeHit& hit) override { hits.push_back(hit); }
    void onControllerHit(const ControllerHit&) override {}
    void onObstacleHit(const ObstacleHit&) override {}
};

// One box of a collider, posed relative to its body.
struct BoxPart {
    glm::vec3 halfExtents;
    glm::vec3 position{0.0f};
    btQuaternion rotation = btQuaternion::getIdentity();
};

// A real Bullet dynamics world with a few static colliders and the player's controller, stepped
// frame by frame the way the game does: physics step first, then the move.
class ControllerWorld {
  public:
    ControllerWorld();
    ~ControllerWorld();
    ControllerWorld(const ControllerWorld&) = delete;
    ControllerWorld& operator=(const ControllerWorld&) = delete;

    // A static body (mass 0) or a dynamic one; one box is a plain box shape, more make a compound.
    const btCollisionObject* addBody(const std::vector<BoxPart>& boxes, const glm::vec3& position,
                                     const btQuaternion& rotation = btQuaternion::getIdentity(),
                                     float mass = 0.0f);
    const btCollisionObject* addBox(const glm::vec3& halfExtents, const glm::vec3& position,
                                    float mass = 0.0f);
    // The plane n.x + d = 0, solid opposite the normal.
    const btCollisionObject* addPlane(const glm::vec3& normal, float d);

    CapsuleController& createController(const glm::dvec3& centre);
    CapsuleController& controller() { return *player; }

    // Clears the recorded hits and moves the capsule once.
    std::uint32_t move(const glm::vec3& displacement, float minDistance = 0.000001f);
    void stepPhysics() { dynamics->stepSimulation(1.0f / 60.0f, 0); }

    std::vector<const btCollisionObject*> touched() const;
    HitRecorder recorder;
    btDiscreteDynamicsWorld& world() { return *dynamics; }

  private:
    std::unique_ptr<btDefaultCollisionConfiguration> configuration;
    std::unique_ptr<btCollisionDispatcher> dispatcher;
    std::unique_ptr<btDbvtBroadphase> broadphase;
    std::unique_ptr<btSequentialImpulseConstraintSolver> solver;
    std::unique_ptr<btDiscreteDynamicsWorld> dynamics;
    std::vector<std::unique_ptr<btCollisionShape>> shapes;
    std::vector<std::unique_ptr<btRigidBody>> bodies;
    std::vector<std::unique_ptr<btDefaultMotionState>> motionStates;
    std::unique_ptr<CapsuleController> player;
};

inline constexpr float frameTime = 1.0f / 60.0f;
