#pragma once

#include <glm/mat3x3.hpp>
#include <glm/vec3.hpp>

#include <array>

// A box turned in space: centre, half-extents along its own axes, and the rotation whose
// columns are those axes in world space. Colliders and model parts are described this way.
struct OrientedBox {
    glm::vec3 centre{0.0f};
    glm::vec3 halfExtents{0.0f};
    glm::mat3 rotation{1.0f};

    // The world position of a point given in the box's own frame.
    glm::vec3 toWorld(glm::vec3 local) const { return centre + rotation * local; }
    glm::vec3 toLocal(glm::vec3 world) const;

    // True when the point lies inside, at least `margin` away from every face.
    bool contains(glm::vec3 point, float margin = 0.0f) const;

    // World axis-aligned bounds.
    glm::vec3 lowCorner() const;
    glm::vec3 highCorner() const;
};

// The box carried by a placement: translate(position) * R_Y(angle) applied to a part.
OrientedBox placed(const OrientedBox& part, glm::vec3 position, float angleY);

// Rotations about the main axes (right-handed, radians).
glm::mat3 rotationX(float angle);
glm::mat3 rotationY(float angle);
glm::mat3 rotationZ(float angle);
