#include "render/gl_state.h"

#include <GL/glew.h>

void setStartState()
{
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
}

void setWireframe(bool on)
{
    glPolygonMode(GL_FRONT_AND_BACK, on ? GL_LINE : GL_FILL);
}

void setFaceCulling(bool on)
{
    if (on) {
        glEnable(GL_CULL_FACE);
    } else {
        glDisable(GL_CULL_FACE);
    }
}

ScopedBlend::ScopedBlend()
{
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

ScopedBlend::ScopedBlend(float constantAlpha)
{
    glEnable(GL_BLEND);
    glBlendColor(0.0f, 0.0f, 0.0f, constantAlpha);
    glBlendFunc(GL_CONSTANT_ALPHA, GL_ONE_MINUS_CONSTANT_ALPHA);
}

ScopedBlend::~ScopedBlend()
{
    glDisable(GL_BLEND);
}

ScopedDepthWritesOff::ScopedDepthWritesOff()
{
    glDepthMask(GL_FALSE);
}

ScopedDepthWritesOff::~ScopedDepthWritesOff()
{
    glDepthMask(GL_TRUE);
}

void unbindTexturesAndVertexArray()
{
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, 0);
    glBindVertexArray(0);
}
