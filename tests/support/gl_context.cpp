#include "support/gl_context.h"

#include <dlfcn.h>
#include <link.h>

#include <cstring>
#include <stdexcept>

namespace {

// Mesa unloads its driver when GLFW closes the display, so a leak report at exit would show the
// driver's own allocations (made on the first draw) as an unknown module that no suppression
// can name. Pinning the loaded driver keeps its name in such reports and tests/lsan.supp
// applies.
int pinGlDriver(dl_phdr_info* info, size_t, void*)
{
    const char* name = info->dlpi_name;
    if (name != nullptr &&
        (std::strstr(name, "_dri.so") != nullptr || std::strstr(name, "libgallium") != nullptr)) {
        dlopen(name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    }
    return 0;
}

} // namespace

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
    dl_iterate_phdr(pinGlDriver, nullptr);
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK) {
        glfwDestroyWindow(handle);
        glfwTerminate();
        throw std::runtime_error("glewInit failed");
    }
    glGetError(); // GLEW's probing leaves an error behind on core profiles
}

GlContext::~GlContext()
{
    glfwDestroyWindow(handle);
    glfwTerminate();
}

void GlTest::SetUp()
{
    context = new GlContext();
}

void GlTest::TearDown()
{
    delete context;
    context = nullptr;
}
