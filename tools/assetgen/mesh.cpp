#include "assetgen/mesh.h"

#include <glm/geometric.hpp>

std::uint32_t Mesh::add(const Vertex& vertex)
{
    corners.push_back(vertex);
    return static_cast<std::uint32_t>(corners.size() - 1);
}

void Mesh::triangle(std::uint32_t a, std::uint32_t b, std::uint32_t c)
{
    const glm::vec3 facing = glm::cross(corners[b].position - corners[a].position,
                                        corners[c].position - corners[a].position);
    const glm::vec3 normal = corners[a].normal + corners[b].normal + corners[c].normal;
    if (glm::dot(facing, normal) < 0.0f) {
        std::swap(b, c);
    }
    triangleIndices.insert(triangleIndices.end(), {a, b, c});
}

void Mesh::quad(const Vertex& a, const Vertex& b, const Vertex& c, const Vertex& d)
{
    const std::uint32_t ia = add(a);
    const std::uint32_t ib = add(b);
    const std::uint32_t ic = add(c);
    const std::uint32_t id = add(d);
    triangle(ia, ib, ic);
    triangle(ia, ic, id);
}

void Mesh::append(const Mesh& other)
{
    const auto offset = static_cast<std::uint32_t>(corners.size());
    corners.insert(corners.end(), other.corners.begin(), other.corners.end());
    for (std::uint32_t index : other.triangleIndices) {
        triangleIndices.push_back(index + offset);
    }
}
