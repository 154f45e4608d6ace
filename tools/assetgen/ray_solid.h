#pragma once

#include "assetgen/oriented_box.h"

#include <glm/matrix.hpp>

#include <algorithm>
#include <cmath>

// A solid prepared for many rays: most of the kitchen's boxes are not turned, and those skip
// the change of frame.
struct RaySolid {
    glm::vec3 centre;
    glm::vec3 halfExtents;
    glm::mat3 toLocal;
    bool turned;

    explicit RaySolid(const OrientedBox& box)
        : centre(box.centre), halfExtents(box.halfExtents), toLocal(glm::transpose(box.rotation)),
          turned(box.rotation != glm::mat3(1.0f))
    {
    }

    // Distance at which the ray enters from outside within (0, range]. A
    // ray that starts inside never hits: solids are only seen from outside.
    bool entry(glm::vec3 origin, glm::vec3 direction, float range, float& distance) const
    {
        glm::vec3 start = origin - centre;
        glm::vec3 heading = direction;
        if (turned) {
            start = toLocal * start;
            heading = toLocal * heading;
        }
        float near = -1e30f;
        float far = range;
        for (int axis = 0; axis < 3; ++axis) {
            if (std::fabs(heading[axis]) < 1e-9f) {
                if (std::fabs(start[axis]) > halfExtents[axis]) {
                    return false;
                }
                continue;
            }
            const float inverse = 1.0f / heading[axis];
            float t0 = (-halfExtents[axis] - start[axis]) * inverse;
            float t1 = (halfExtents[axis] - start[axis]) * inverse;
            if (t0 > t1) {
                std::swap(t0, t1);
            }
            near = std::max(near, t0);
            far = std::min(far, t1);
            if (near > far) {
                return false;
            }
        }
        if (near <= 0.0f) {
            return false;
        }
        distance = near;
        return true;
    }
};
