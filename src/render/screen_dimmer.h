#pragma once

#include "render/screen_quad.h"
#include "render/shader.h"

// Darkens the whole picture in the window by blending black over it, so a paused game's frame
// stays in sight behind what is written on it. Needs a current GL context for its life.
class ScreenDimmer {
  public:
    ScreenDimmer();

    // Over the default framebuffer, what is drawn keeps this share of its brightness. Depth
    // testing and the polygon mode are left as they were; blending is off and no program or
    // vertex array is bound afterwards.
    void dim(float keep);

  private:
    Shader program;
    ScreenQuad quad;
};
