#pragma once

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

#include <cstdint>
#include <vector>

// One corner of a model: where it is, which way its surface faces, and where it reads its
// texture (u right, v down from the picture's top row).
struct Vertex {
    glm::vec3 position;
    glm::vec3 normal;
    glm::vec2 uv;
};

// A triangle list being built. Triangles are wound counter-clockwise seen from the side their
// normals face, so back-face culling removes the far side of every part.
class Mesh {
  public:
    std::uint32_t add(const Vertex& vertex);

    // Adds the triangle a, b, c, turned round if it would face away from its corners' normals.
    void triangle(std::uint32_t a, std::uint32_t b, std::uint32_t c);

    // Adds the quad a, b, c, d (corners in order around its edge) as two triangles.
    void quad(const Vertex& a, const Vertex& b, const Vertex& c, const Vertex& d);

    // Appends another mesh's triangles.
    void append(const Mesh& other);

    const std::vector<Vertex>& vertices() const { return corners; }
    const std::vector<std::uint32_t>& indices() const { return triangleIndices; }
    std::size_t triangleCount() const { return triangleIndices.size() / 3; }

  private:
    std::vector<Vertex> corners;
    std::vector<std::uint32_t> triangleIndices;
};
