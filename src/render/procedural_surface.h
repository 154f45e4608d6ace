#pragma once

#include "render/gl_object.h"
#include "render/normal_matrix.h"

#include <glm/mat3x3.hpp>
#include <glm/mat4x4.hpp>

// The water in the pit between the first two counter runs: one flat square whose look the
// shader pair "procedural.vert" / "procedural.frag" computes from the time alone, without a
// texture.
class ProceduralSurface {
  public:
    // Builds the program (a missing or broken shader file throws ShaderFailure) and the
    // 10.3 x 10.3 square.
    ProceduralSurface();

    // Fills the buffers with a width x depth square in the model's XZ plane, centred on the
    // origin, wound counter-clockwise seen from above.
    void buildSquare(float width, float depth);

    // Once per frame in the scene pass, depth-tested, with the active camera's matrix. The time
    // is the game's clock, so a replay on a virtual clock draws the same water every run.
    void draw(const glm::mat4& viewProj, float time) const;

    int indices() const { return indexCount; }

    // The square's world matrix; identity until the game places it (see waterTransformation).
    glm::mat4 transformation{1.0f};

  private:
    GlBuffer positionBuffer;
    GlVertexArray vao;
    GlBuffer indexBuffer;
    GlBuffer uvBuffer;
    GlBuffer normalBuffer;
    GlProgram program;
    int indexCount = 0;
    // Looked up once, when the program is built.
    GLint projectionLocation = -1, transformationLocation = -1, normalMatrixLocation = -1,
          timeLocation = -1, resolutionLocation = -1;
    mutable NormalMatrix normalMatrix;
};

// Where the water lies in the level: over the pit's floor.
glm::mat4 waterTransformation();

// The fixed resolution the shader scales its pattern by; not the window size.
inline constexpr float proceduralResolutionX = 1024.0f;
inline constexpr float proceduralResolutionY = 768.0f;
