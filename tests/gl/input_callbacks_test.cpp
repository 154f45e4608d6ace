#include "input/gamepad_poll.h"
#include "input/input_callbacks.h"
#include "game/input_state.h"

#include "support/gl_context.h"

using InputCallbacks = GlTest;

// The toggles act on release, and each press applies its GL state to every later draw.
TEST_F(InputCallbacks, F3SwitchesWireframeAndF6FaceCulling)
{
    input.wireframe = false;
    input.backfaceCulling = true;
    glEnable(GL_CULL_FACE);
    testing::internal::CaptureStdout();
    auto release = [&](int key) { keyCallback(context->window(), key, 0, GLFW_RELEASE, 0); };
    auto polygonMode = [] {
        GLint mode[2] = {0, 0};
        glGetIntegerv(GL_POLYGON_MODE, mode);
        return mode[0];
    };
    release(GLFW_KEY_F3);
    EXPECT_EQ(polygonMode(), GL_LINE);
    release(GLFW_KEY_F6);
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    release(GLFW_KEY_F3);
    release(GLFW_KEY_F6);
    EXPECT_EQ(polygonMode(), GL_FILL);
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    testing::internal::GetCapturedStdout();
}

// The loop's pad step takes a pad's events on the keys' path, window effects included: Back
// held for a second closes the window like Escape.
TEST_F(InputCallbacks, APadsBackHeldForASecondClosesTheWindow)
{
    GamepadKeys pad;
    const PadState backHeld{.connected = true, .back = true};
    for (int pass = 0; pass < 3; ++pass) {
        EXPECT_FALSE(glfwWindowShouldClose(context->window())) << pass;
        handPadToGame(context->window(), pad, backHeld, 0.5f);
    }
    EXPECT_TRUE(glfwWindowShouldClose(context->window()));
}
