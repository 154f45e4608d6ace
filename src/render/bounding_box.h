#pragma once

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

// A mesh's axis-aligned box in model space, and the matrix that carries its corner into the
// world (only the corner moves with it: culling adds the extents along the world axes).
struct BoundingBox {
    glm::vec3 min{0.0f};
    glm::vec3 extents{0.0f};
    glm::mat4 placement{1.0f};
};
