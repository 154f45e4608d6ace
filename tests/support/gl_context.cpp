#include "support/gl_context.h"

#include "render/gl_driver_residency.h"

#include <stdexcept>
#include <string>

namespace {

// A test that cannot get its context should say what GLFW saw, not only that it failed: under
// a loaded X server that reason is the only clue.
[[noreturn]] void fail(const char* what)
{
    const char* description = nullptr;
    glfwGetError(&description);
    const std::string reason = description ? description : "no reason given";
    glfwTerminate();
    throw std::runtime_error(std::string(what) + ": " + reason);
}

} // namespace

GlContext::GlContext(int width, int height)
{
    if (glfwInit() == 0) {
        fail("glfwInit failed (is there a display?)");
    }
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    handle = glfwCreateWindow(width, height, "korvel test", nullptr, nullptr);
    if (handle == nullptr) {
        fail("no 4.3 core context");
    }
    glfwMakeContextCurrent(handle);
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK) {
        glfwDestroyWindow(handle);
        glfwTerminate();
        throw std::runtime_error("glewInit failed");
    }
    keepGlDriverResident(); // so the leak check can still name the driver's allocations
    glGetError();           // GLEW's probing leaves an error behind on core profiles
}

GlContext::~GlContext()
{
    glfwDestroyWindow(handle);
    glfwTerminate();
}
