#include "app/input_callbacks.h"
#include "app/input_state.h"

#include "support/gl_context.h"

#include <gtest/gtest.h>

namespace {

class InputCallbacks : public GlTest {
  protected:
    void SetUp() override
    {
        GlTest::SetUp();
        wireframe = false;
        backfaceCulling = true;
        glEnable(GL_CULL_FACE);
        testing::internal::CaptureStdout();
    }
    void TearDown() override
    {
        printed = testing::internal::GetCapturedStdout();
        wireframe = false;
        backfaceCulling = true;
        orbitZoom = 12.0f;
        leftMouseDown = false;
        GlTest::TearDown();
    }

    void release(int key) { keyCallback(context->window(), key, 0, GLFW_RELEASE, 0); }

    static GLint polygonMode()
    {
        GLint mode[2] = {0, 0};
        glGetIntegerv(GL_POLYGON_MODE, mode);
        return mode[0];
    }

    std::string printed;
};

} // namespace

TEST_F(InputCallbacks, F3SwitchesThePolygonModeOfEveryLaterDraw)
{
    release(GLFW_KEY_F3);
    EXPECT_EQ(polygonMode(), GL_LINE);
    release(GLFW_KEY_F3);
    EXPECT_EQ(polygonMode(), GL_FILL);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(InputCallbacks, F6SwitchesFaceCulling)
{
    release(GLFW_KEY_F6);
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    release(GLFW_KEY_F6);
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
}

TEST_F(InputCallbacks, EscapeAsksTheWindowToClose)
{
    keyCallback(context->window(), GLFW_KEY_ESCAPE, 0, GLFW_PRESS, 0);
    EXPECT_FALSE(glfwWindowShouldClose(context->window()));
    release(GLFW_KEY_ESCAPE);
    EXPECT_TRUE(glfwWindowShouldClose(context->window()));
}

TEST_F(InputCallbacks, InstalledCallbacksAreTheGames)
{
    installInputCallbacks(context->window());
    EXPECT_EQ(glfwSetKeyCallback(context->window(), nullptr), &keyCallback);
    EXPECT_EQ(glfwSetMouseButtonCallback(context->window(), nullptr), &mouseButtonCallback);
    EXPECT_EQ(glfwSetScrollCallback(context->window(), nullptr), &scrollCallback);
    mouseButtonCallback(context->window(), GLFW_MOUSE_BUTTON_LEFT, GLFW_PRESS, 0);
    scrollCallback(context->window(), 3.0, 1.0);
    EXPECT_TRUE(leftMouseDown);
    EXPECT_EQ(orbitZoom, 11.5f);
}
