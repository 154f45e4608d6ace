#pragma once

#include "render/gl_object.h"
#include "render/screen_quad.h"

#include <memory>

class Shader;

// The off-screen target the scene is drawn into, and the full-screen pass that composes it onto
// the window through "postProcess.vert" / "postProcess.frag": outlines where the depth picture
// bends, and a dead look after a lost attempt.
class ScenePass {
  public:
    // Needs the GL context; width and height are the window's, near and far the clip distances
    // of the cameras, which the outline filter needs to read the depth picture. An incomplete
    // framebuffer is reported on standard output and the game goes on. A missing or broken
    // post-processing shader throws ShaderFailure (the Shader class's rule).
    ScenePass(int width, int height, float near, float far);
    ~ScenePass();
    ScenePass(const ScenePass&) = delete;
    ScenePass& operator=(const ScenePass&) = delete;

    // The start of every frame: the off-screen target (the window itself in wireframe),
    // depth-tested, cleared to the clear colour.
    void bindRenderTarget(bool wireframe) const;

    // Draws the scene picture into the window (skipped in wireframe). Leaves the depth test
    // off, so the HUD after it is drawn over everything.
    void postProcess(bool outlines, bool dead);

  private:
    GlFramebuffer sceneFramebuffer;
    GlTexture sceneColorTexture;
    GlTexture sceneDepthTexture;
    std::unique_ptr<Shader> postProcessShader;
    std::unique_ptr<ScreenQuad> screenQuad;
};
