#include "render/frustum_plane.h"

#include <glm/geometric.hpp>

FrustumPlane FrustumPlane::through(const glm::vec3& a, const glm::vec3& b, const glm::vec3& c)
{
    FrustumPlane plane;
    plane.normal = glm::normalize(glm::cross(c - b, a - b));
    plane.point = b;
    plane.d = -glm::dot(plane.normal, b);
    return plane;
}

float FrustumPlane::signedDistance(const glm::vec3& p) const
{
    return glm::dot(normal, p) + d;
}
