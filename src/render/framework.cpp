#include "render/framework.h"

#include "render/gl_driver_residency.h"
#include "render/shader.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <iostream>
#include <memory>

namespace {

const char* const defaultVertexSource = "#version 330 core\n"
                                        "layout(location = 0) in vec3 position;\n"
                                        "void main() {\n"
                                        "\tgl_Position = vec4(position.xy, -position.z, 1);\n"
                                        "}";

const char* const defaultFragmentSource = "#version 330 core \n"
                                          "uniform vec3 fragColor = vec3(1, 0, 0); \n"
                                          "out vec4 color; \n"
                                          "void main() {  \n"
                                          "\tcolor = vec4(fragColor, 1); \n"
                                          "}";

// Framework-wide: one default program for the whole run.
std::unique_ptr<Shader> defaultShader;

} // namespace

bool loadGlEntryPoints()
{
    glewExperimental = GL_TRUE;
    return glewInit() == GLEW_OK;
}

bool initFramework()
{
    if (glfwGetCurrentContext() == nullptr) {
        std::cout << "No context available. Make sure that this function is called after a "
                     "context is created and GLEW is initialized."
                  << std::endl;
        return false;
    }
    keepGlDriverResident();
    GLint current = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    if (current != 0) {
        return true;
    }
    // Stored before any earlier default shader goes, as unique_ptr's assignment does.
    defaultShader =
        std::make_unique<Shader>(Shader::Sources{defaultVertexSource, defaultFragmentSource});
    defaultShader->use();
    return true;
}

void destroyFramework()
{
    defaultShader.reset();
}
