#pragma once

#include "physics/physics_material.h"
#include "physics/rigid_actor.h"

#include <memory>

class btCollisionShape;
class btCompoundShape;
class btDiscreteDynamicsWorld;
class btRigidBody;

// A body of the physics world, carrying the game's tag in its user pointer. A static actor
// gathers its shapes in a compound of its own, each shape with a local pose; the shapes are
// not owned, so one shape may serve several actors. A dynamic actor is a single shape whose
// centre of mass is the actor's origin.
class PhysicsActor final : public RigidActor {
  public:
    static std::unique_ptr<PhysicsActor> createStatic(const Pose& pose);
    // A static actor that is one shape at its own pose, for shapes that cannot sit in a
    // compound (the infinite planes).
    static std::unique_ptr<PhysicsActor> createStaticSingle(btCollisionShape& shape,
                                                            const Pose& pose);
    static std::unique_ptr<PhysicsActor> createDynamic(btCollisionShape& shape, float mass,
                                                       const Pose& pose);
    ~PhysicsActor() override;
    PhysicsActor(const PhysicsActor&) = delete;
    PhysicsActor& operator=(const PhysicsActor&) = delete;

    // Static actors only. Allowed while the actor is in a world: its bounds are refreshed.
    void attachShape(btCollisionShape& shape, const Pose& localPose);
    void setMaterial(const PhysicsMaterial& material);
    void setTag(const char* tag);
    bool isDynamic() const;

    void addTo(btDiscreteDynamicsWorld& world);
    void removeFromWorld();
    bool isInWorld() const;

    btRigidBody& body() { return *rigidBody; }
    const btRigidBody& body() const { return *rigidBody; }

    Pose getGlobalPose() const override;
    // Keeps the velocities, like a teleport. The world's bounds of the actor follow at once,
    // so sweeps made before the next step already see it at its new place.
    void setGlobalPose(const Pose& pose, bool wake = true) override;

  private:
    PhysicsActor() = default;

    std::unique_ptr<btCompoundShape> compound;
    std::unique_ptr<btRigidBody> rigidBody;
    btDiscreteDynamicsWorld* world = nullptr;
};
