#include "render/scene_pass.h"

#include "render/shader.h"

#include <iostream>

namespace {

void setTextureSampling(GLint filter, GLint wrap)
{
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
}

} // namespace

ScenePass::ScenePass(int width, int height, float near, float far)
{
    sceneFramebuffer = makeFramebuffer();
    glBindFramebuffer(GL_FRAMEBUFFER, sceneFramebuffer.get());

    sceneColorTexture = makeTexture();
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, sceneColorTexture.get());
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
    setTextureSampling(GL_LINEAR, GL_REPEAT);
    glBindTexture(GL_TEXTURE_2D, 0);

    sceneDepthTexture = makeTexture();
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, sceneDepthTexture.get());
    glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT24, width, height, 0, GL_DEPTH_COMPONENT,
                 GL_FLOAT, nullptr);
    setTextureSampling(GL_NEAREST, GL_CLAMP_TO_EDGE);
    glBindTexture(GL_TEXTURE_2D, 0);

    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D,
                           sceneColorTexture.get(), 0);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D,
                           sceneDepthTexture.get(), 0);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        std::cout << "ERROR::FRAMEBUFFER:: Framebuffer is not complete!" << std::endl;
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);

    postProcessShader = std::make_unique<Shader>("postProcess.vert", "postProcess.frag");
    screenQuad = std::make_unique<ScreenQuad>();

    postProcessShader->use();
    postProcessShader->setUniform("screenTexture", 0);
    postProcessShader->setUniform("depthTexture", 1);
    // The window depth a point infinitely far away would have: outlines measure depth bends
    // relative to it, so they keep their strength whatever clip distances the settings give.
    postProcessShader->setUniform("depthAtInfinity", far / (far - near));
}

ScenePass::~ScenePass() = default;

void ScenePass::bindRenderTarget(bool wireframe) const
{
    glBindFramebuffer(GL_FRAMEBUFFER, wireframe ? 0 : sceneFramebuffer.get());
    glEnable(GL_DEPTH_TEST);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void ScenePass::postProcess(bool outlines, bool dead)
{
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDisable(GL_DEPTH_TEST);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glBindVertexArray(screenQuad->vertexArrayName());
    postProcessShader->use();
    postProcessShader->setUniform("outlines", outlines ? 1 : 0);
    postProcessShader->setUniform("dead", dead ? 1 : 0);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, sceneColorTexture.get());
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, sceneDepthTexture.get());
    glDrawArrays(GL_TRIANGLES, 0, 6);
}
