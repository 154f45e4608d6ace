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
