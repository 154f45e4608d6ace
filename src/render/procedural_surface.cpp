#include "render/procedural_surface.h"

#include "physics/level_layout.h"
#include "render/shader_program_builder.h"

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <glm/mat3x3.hpp>

ProceduralSurface::ProceduralSurface()
{
    const std::string folder = shaderFolderPath;
    program = buildRenderProgram(folder + "procedural.vert", folder + "procedural.frag");
    vao = makeVertexArray();
    positionBuffer = makeBuffer();
    indexBuffer = makeBuffer();
    uvBuffer = makeBuffer();
    normalBuffer = makeBuffer();
    buildSquare(level::waterSize, level::waterSize);
    const GLuint name = program.get();
    projectionLocation = glGetUniformLocation(name, "projection");
    transformationLocation = glGetUniformLocation(name, "transformation");
    normalMatrixLocation = glGetUniformLocation(name, "normalMatrix");
    timeLocation = glGetUniformLocation(name, "time");
    resolutionLocation = glGetUniformLocation(name, "res");
}

void ProceduralSurface::buildSquare(float width, float depth)
{
    const float x = width / 2.0f;
    const float z = depth / 2.0f;
    // Eight positions of which only the four corners are used; the tail stays zero.
    const float positions[8 * 3] = {-x, 0.0f, z, x, 0.0f, z, x, 0.0f, -z, -x, 0.0f, -z};
    const float normals[4 * 3] = {0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0};
    const float uvs[4 * 2] = {0, 0, 1, 0, 1, 1, 0, 1};
    const GLuint squareIndices[6] = {0, 1, 3, 3, 1, 2};

    glBindVertexArray(vao.get());

    glBindBuffer(GL_ARRAY_BUFFER, positionBuffer.get());
    glBufferData(GL_ARRAY_BUFFER, sizeof(positions), positions, GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 0, nullptr);

    glBindBuffer(GL_ARRAY_BUFFER, normalBuffer.get());
    glBufferData(GL_ARRAY_BUFFER, sizeof(normals), normals, GL_STATIC_DRAW);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, 0, nullptr);

    glBindBuffer(GL_ARRAY_BUFFER, uvBuffer.get());
    glBufferData(GL_ARRAY_BUFFER, sizeof(uvs), uvs, GL_STATIC_DRAW);
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, 0, nullptr);

    indexCount = 6;
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer.get());
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, sizeof(squareIndices), squareIndices, GL_STATIC_DRAW);

    glBindVertexArray(0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void ProceduralSurface::draw(const glm::mat4& viewProj, float time) const
{
    glUseProgram(program.get());
    glUniformMatrix4fv(projectionLocation, 1, GL_FALSE, glm::value_ptr(viewProj));
    glUniformMatrix4fv(transformationLocation, 1, GL_FALSE, glm::value_ptr(transformation));
    glUniformMatrix3fv(normalMatrixLocation, 1, GL_FALSE,
                       glm::value_ptr(normalMatrix.of(transformation)));
    glUniform1f(timeLocation, time);
    glUniform2f(resolutionLocation, proceduralResolutionX, proceduralResolutionY);

    glBindVertexArray(vao.get());
    glDrawElements(GL_TRIANGLES, indexCount, GL_UNSIGNED_INT, nullptr);
    glBindVertexArray(0);
}

glm::mat4 waterTransformation()
{
    return glm::translate(glm::mat4(1.0f), level::waterCentre);
}
