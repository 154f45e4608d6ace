#include "render/mesh_bounds.h"

#include <glm/common.hpp>

BoundingBox computeBoundingBox(const GeometryData& data)
{
    BoundingBox box;
    if (data.positions.empty()) {
        return box;
    }
    glm::vec3 smallest = data.positions.front();
    glm::vec3 largest = data.positions.front();
    for (const glm::vec3& position : data.positions) {
        smallest = glm::min(smallest, position);
        largest = glm::max(largest, position);
    }
    box.min = smallest;
    box.extents = largest - smallest;
    box.placement = glm::mat4(1.0f);
    return box;
}

GeometryData makePlaceholderData()
{
    GeometryData data;
    data.positions.emplace_back(0.0f, 0.0f, 0.0f);
    data.indices.push_back(0);
    data.normals.emplace_back(1.0f, 0.0f, 0.0f);
    data.uvs.emplace_back(0.0f, 0.0f);
    return data;
}
