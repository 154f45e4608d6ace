#pragma once

#include "render/bounding_box.h"
#include "render/frustum_plane.h"

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

#include <vector>

// The camera that follows the player. It also owns the planes of its viewing volume, against
// which the drawables are culled whichever camera is shown.
//
// The game builds it with an opening of 5 rad and up = (0, -1, 0). tan(2.5) is negative, which
// turns the projected picture by 180 degrees; the downward up vector turns it back. Both must be
// kept together. The plane sizes are full heights and widths added to the plane centres, so the
// culling volume is twice as wide as the picture and never cuts into it.
class PlayerCamera {
  public:
    PlayerCamera(const glm::vec3& position, const glm::vec3& target, const glm::vec3& up, float fov,
                 float aspect, float near, float far);

    // Moves the camera and rebuilds its planes.
    void update(const glm::vec3& position, const glm::vec3& target);

    glm::mat4 viewProjection() const { return projection * view; }
    const glm::mat4& getView() const { return view; }
    const glm::mat4& getProjection() const { return projection; }
    const glm::vec3& getPosition() const { return position; }
    const glm::vec3& getTarget() const { return target; }

    // Conservative box test. Only the box corner is carried by the placement; the extents are
    // added along the world axes. A box that straddles a plane is visible at once, without
    // testing the planes after it.
    bool isVisible(const BoundingBox& box) const;

  private:
    void buildPlanes();

    glm::vec3 up;
    glm::mat4 view{1.0f};
    glm::mat4 projection{1.0f};
    glm::vec3 position;
    glm::vec3 target;
    float near;
    float far;
    float fov; // radians
    float nearHeight;
    float nearWidth;
    float farHeight;
    float farWidth;
    std::vector<FrustumPlane> planes;
};
