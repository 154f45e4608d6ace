#pragma once

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <gtest/gtest.h>

#include <optional>

// A hidden window with a real 4.3 core context, made current for the test. Needs a display:
// the test command runs the GL suite under xvfb-run.
class GlContext {
  public:
    GlContext(int width = 64, int height = 64);
    ~GlContext();
    GlContext(const GlContext&) = delete;
    GlContext& operator=(const GlContext&) = delete;

    GLFWwindow* window() const { return handle; }

  private:
    GLFWwindow* handle = nullptr;
};

// Fixture base: every test gets a fresh context, so GL state never leaks between tests.
class GlTest : public ::testing::Test {
  protected:
    void SetUp() override { context.emplace(); }
    void TearDown() override { context.reset(); }
    std::optional<GlContext> context;
};
