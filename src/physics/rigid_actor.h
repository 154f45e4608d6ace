#pragma once

#include <glm/gtc/quaternion.hpp>
#include <glm/vec3.hpp>

// A rigid body of the physics world as the rest of the game sees it: a pose that can be read
// and set. Models that follow a dynamic actor or place a static one need nothing more.
struct Pose {
    glm::vec3 position{0.0f};
    glm::quat rotation{1.0f, 0.0f, 0.0f, 0.0f}; // unit quaternion (w, x, y, z)
};

class RigidActor {
  public:
    virtual ~RigidActor() = default;
    virtual Pose getGlobalPose() const = 0;
    // Teleports the actor; a sleeping dynamic body is woken when asked to.
    virtual void setGlobalPose(const Pose& pose, bool wake = true) = 0;
};
