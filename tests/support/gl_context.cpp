#include "support/gl_context.h"

#include "render/gl_driver_residency.h"

#include <stdexcept>

GlContext::GlContext(int width, int height)
{
    if (glfwInit() == 0) {
        throw std::runtime_error("glfwInit failed (is there a display?)");
    }
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    handle = glfwCreateWindow(width, height, "korvel test", nullptr, nullptr);
    if (handle == nullptr) {
        glfwTerminate();
        throw std::runtime_error("no 4.3 core context");
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
