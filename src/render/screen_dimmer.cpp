#include "render/screen_dimmer.h"

namespace {

const char* const dimmerVertex = R"(#version 430 core
layout(location = 0) in vec2 corner;
void main()
{
    gl_Position = vec4(corner, 0.0, 1.0);
}
)";

const char* const dimmerFragment = R"(#version 430 core
uniform float darkness;
out vec4 colour;
void main()
{
    colour = vec4(0.0, 0.0, 0.0, darkness);
}
)";

} // namespace

ScreenDimmer::ScreenDimmer() : program(Shader::Sources{dimmerVertex, dimmerFragment}) {}

void ScreenDimmer::dim(float keep)
{
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    const bool depthTested = glIsEnabled(GL_DEPTH_TEST) == GL_TRUE;
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    // Filled even in wireframe mode: the veil is not part of the scene.
    GLint polygonMode[2] = {GL_FILL, GL_FILL};
    glGetIntegerv(GL_POLYGON_MODE, polygonMode);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    program.use();
    program.setUniform("darkness", 1.0f - keep);
    glBindVertexArray(quad.vertexArrayName());
    glDrawArrays(GL_TRIANGLES, 0, 6);
    glBindVertexArray(0);
    glUseProgram(0);
    glPolygonMode(GL_FRONT_AND_BACK, static_cast<GLenum>(polygonMode[0]));
    glDisable(GL_BLEND);
    if (depthTested) {
        glEnable(GL_DEPTH_TEST);
    }
}
