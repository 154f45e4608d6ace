#include "assetgen/oriented_box.h"

#include <glm/matrix.hpp>

#include <algorithm>
#include <cmath>

glm::vec3 OrientedBox::toLocal(glm::vec3 world) const
{
    return glm::transpose(rotation) * (world - centre);
}

bool OrientedBox::contains(glm::vec3 point, float margin) const
{
    const glm::vec3 local = toLocal(point);
    for (int axis = 0; axis < 3; ++axis) {
        if (std::fabs(local[axis]) > halfExtents[axis] - margin) {
            return false;
        }
    }
    return true;
}

bool OrientedBox::entry(glm::vec3 origin, glm::vec3 direction, float maxDistance,
                        float& distance) const
{
    const glm::mat3 inverse = glm::transpose(rotation);
    const glm::vec3 start = inverse * (origin - centre);
    const glm::vec3 heading = inverse * direction;
    float near = -1e30f;
    float far = 1e30f;
    for (int axis = 0; axis < 3; ++axis) {
        if (std::fabs(heading[axis]) < 1e-9f) {
            if (std::fabs(start[axis]) > halfExtents[axis]) {
                return false;
            }
            continue;
        }
        const float inverseHeading = 1.0f / heading[axis];
        float t0 = (-halfExtents[axis] - start[axis]) * inverseHeading;
        float t1 = (halfExtents[axis] - start[axis]) * inverseHeading;
        if (t0 > t1) {
            std::swap(t0, t1);
        }
        near = std::max(near, t0);
        far = std::min(far, t1);
        if (near > far) {
            return false;
        }
    }
    if (near <= 0.0f || near > maxDistance) {
        return false;
    }
    distance = near;
    return true;
}

glm::vec3 OrientedBox::lowCorner() const
{
    const glm::mat3 spread(glm::abs(rotation[0]), glm::abs(rotation[1]), glm::abs(rotation[2]));
    return centre - spread * halfExtents;
}

glm::vec3 OrientedBox::highCorner() const
{
    const glm::mat3 spread(glm::abs(rotation[0]), glm::abs(rotation[1]), glm::abs(rotation[2]));
    return centre + spread * halfExtents;
}

OrientedBox placed(const OrientedBox& part, glm::vec3 position, float angleY)
{
    const glm::mat3 turn = rotationY(angleY);
    return {position + turn * part.centre, part.halfExtents, turn * part.rotation};
}

glm::mat3 rotationX(float angle)
{
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    // Columns are the images of the x, y and z axes.
    return glm::mat3(glm::vec3(1, 0, 0), glm::vec3(0, c, s), glm::vec3(0, -s, c));
}

glm::mat3 rotationY(float angle)
{
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    return glm::mat3(glm::vec3(c, 0, -s), glm::vec3(0, 1, 0), glm::vec3(s, 0, c));
}

glm::mat3 rotationZ(float angle)
{
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    return glm::mat3(glm::vec3(c, s, 0), glm::vec3(-s, c, 0), glm::vec3(0, 0, 1));
}
