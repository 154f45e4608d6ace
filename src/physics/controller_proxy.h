#pragma once

#include <glm/vec3.hpp>

#include <memory>

class btCapsuleShape;
class btCollisionObject;
class btCollisionWorld;

// A kinematic capsule that follows the controller so dynamic bodies (knives, the pizza) collide
// with the player. The controller's own queries never see it.
class ControllerProxy {
  public:
    ControllerProxy(btCollisionWorld* world, float radius, float height, const glm::dvec3& up);
    ~ControllerProxy();
    ControllerProxy(const ControllerProxy&) = delete;
    ControllerProxy& operator=(const ControllerProxy&) = delete;

    // A teleport also resets the pose the dynamics world measures the proxy's speed from.
    void moveTo(const glm::dvec3& centre, bool teleport);
    const btCollisionObject* object() const;

  private:
    btCollisionWorld* world;
    glm::dvec3 up;
    std::unique_ptr<btCapsuleShape> shape;
    std::unique_ptr<btCollisionObject> body;
    bool inDynamicsWorld = false;
};
