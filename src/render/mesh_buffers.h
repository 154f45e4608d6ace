#pragma once

#include "render/geometry_data.h"

#include <GL/glew.h>

#include <cstdint>

// A mesh on the GPU: a vertex array over one tightly packed buffer per attribute (0 position,
// 1 normal, 2 texture coordinate) and a 32-bit index buffer, filled once. Copies of a model
// share one of these, so it is released only when the last copy goes.
class MeshBuffers {
  public:
    explicit MeshBuffers(const GeometryData& data);
    ~MeshBuffers();
    MeshBuffers(const MeshBuffers&) = delete;
    MeshBuffers& operator=(const MeshBuffers&) = delete;

    // One indexed triangle draw of the whole mesh; the program and uniforms are set already.
    void draw() const;

    GLuint getVertexArray() const { return vao; }
    GLuint getPositionBuffer() const { return positionBuffer; }
    GLuint getNormalBuffer() const { return normalBuffer; }
    GLuint getUvBuffer() const { return uvBuffer; }
    GLuint getIndexBuffer() const { return indexBuffer; }
    std::int32_t getIndexCount() const { return indexCount; }

  private:
    void release();

    GLuint vao = 0;
    GLuint positionBuffer = 0;
    GLuint normalBuffer = 0;
    GLuint uvBuffer = 0;
    GLuint indexBuffer = 0;
    std::int32_t indexCount = 0;
};
