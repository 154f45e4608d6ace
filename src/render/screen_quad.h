#pragma once

#include "render/gl_object.h"

// Two triangles covering the whole window: attribute 0 the clip-space corner (x, y),
// attribute 1 the picture coordinate (u, v).
class ScreenQuad {
  public:
    ScreenQuad();

    GLuint vertexArrayName() const { return vertexArray.get(); }

  private:
    GlVertexArray vertexArray;
    GlBuffer vertexBuffer;
};
