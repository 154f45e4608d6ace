#include "render/mesh_buffers.h"

#include <vector>

namespace {

template <class Element>
GlBuffer uploadAttribute(GLuint location, GLint components, const std::vector<Element>& values)
{
    GlBuffer buffer = makeBuffer();
    glBindBuffer(GL_ARRAY_BUFFER, buffer.get());
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
    vao = makeVertexArray();
    glBindVertexArray(vao.get());
    positionBuffer = uploadAttribute(0, 3, data.positions);
    normalBuffer = uploadAttribute(1, 3, data.normals);
    uvBuffer = uploadAttribute(2, 2, data.uvs);

    indexBuffer = makeBuffer();
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer.get());
    glBufferData(GL_ELEMENT_ARRAY_BUFFER,
                 static_cast<GLsizeiptr>(data.indices.size() * sizeof(std::uint32_t)),
                 data.indices.data(), GL_STATIC_DRAW);
    glBindVertexArray(0);
    // Only after the vertex array is unbound, so it keeps its element buffer.
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

void MeshBuffers::draw() const
{
    glBindVertexArray(vao.get());
    glDrawElements(GL_TRIANGLES, indexCount, GL_UNSIGNED_INT, nullptr);
    glBindVertexArray(0);
}
