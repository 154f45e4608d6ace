#include "render/mesh_buffers.h"

#include <vector>

namespace {

template <class Element>
GLuint uploadAttribute(GLuint location, GLint components, const std::vector<Element>& values)
{
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(values.size() * sizeof(Element)),
                 values.data(), GL_STATIC_DRAW);
    glEnableVertexAttribArray(location);
    glVertexAttribPointer(location, components, GL_FLOAT, GL_FALSE, 0, nullptr);
    return buffer;
}

} // namespace

MeshBuffers::MeshBuffers(const GeometryData& data)
    : indexCount(static_cast<std::int32_t>(data.indices.size()))
{
    glGenVertexArrays(1, &vao);
    glBindVertexArray(vao);
    positionBuffer = uploadAttribute(0, 3, data.positions);
    normalBuffer = uploadAttribute(1, 3, data.normals);
    uvBuffer = uploadAttribute(2, 2, data.uvs);

    glGenBuffers(1, &indexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER,
                 static_cast<GLsizeiptr>(data.indices.size() * sizeof(std::uint32_t)),
                 data.indices.data(), GL_STATIC_DRAW);
    glBindVertexArray(0);
    // Only after the vertex array is unbound, so it keeps its element buffer.
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

MeshBuffers::~MeshBuffers()
{
    release();
}

void MeshBuffers::release()
{
    for (GLuint* buffer : {&positionBuffer, &normalBuffer, &uvBuffer, &indexBuffer}) {
        if (*buffer != 0) {
            glDeleteBuffers(1, buffer);
            *buffer = 0;
        }
    }
    if (vao != 0) {
        glDeleteVertexArrays(1, &vao);
        vao = 0;
    }
}

void MeshBuffers::draw() const
{
    glBindVertexArray(vao);
    glDrawElements(GL_TRIANGLES, indexCount, GL_UNSIGNED_INT, nullptr);
    glBindVertexArray(0);
}
