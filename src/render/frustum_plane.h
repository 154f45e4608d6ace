#pragma once

#include <glm/vec3.hpp>

// One side of a viewing volume. The normal points inwards: a point p is inside when
// dot(normal, p) + d is not negative.
struct FrustumPlane {
    glm::vec3 normal{0.0f};
    glm::vec3 point{0.0f};
    float d = 0.0f;

    // The plane through a, b, c; b is the stored point, and the normal is cross(c - b, a - b).
    static FrustumPlane through(const glm::vec3& a, const glm::vec3& b, const glm::vec3& c);

    float signedDistance(const glm::vec3& p) const;
};
