#pragma once

#include "render/geometry_data.h"

#include "render/gl_object.h"

#include <cstdint>

// A mesh on the GPU: a vertex array over one tightly packed buffer per attribute (0 position,
// 1 normal, 2 texture coordinate) and a 32-bit index buffer, filled once. Copies of a model
// share one of these, so it is released only when the last copy goes.
class MeshBuffers {
  public:
    explicit MeshBuffers(const GeometryData& data);
    MeshBuffers(const MeshBuffers&) = delete;
    MeshBuffers& operator=(const MeshBuffers&) = delete;

    // One indexed triangle draw of the whole mesh; the program and uniforms are set already.
    void draw() const;

  private:
    // Members go in reverse order: the buffers before the vertex array that uses them.
    GlVertexArray vao;
    GlBuffer indexBuffer;
    GlBuffer uvBuffer;
    GlBuffer normalBuffer;
    GlBuffer positionBuffer;
    std::int32_t indexCount = 0;
};
