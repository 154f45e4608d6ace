#include "app/input_callbacks.h"

#include "app/input_state.h"
#include "app/key_input.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

void keyCallback(GLFWwindow* window, int key, int /*scancode*/, int action, int /*mods*/)
{
    const KeyEffects effects = handleKeyEvent(key, action);
    if (effects.closeWindow) {
        glfwSetWindowShouldClose(window, GLFW_TRUE);
    }
    if (effects.polygonModeChanged) {
        glPolygonMode(GL_FRONT_AND_BACK, input.wireframe ? GL_LINE : GL_FILL);
    }
    if (effects.faceCullingChanged) {
        if (input.backfaceCulling) {
            glEnable(GL_CULL_FACE);
        } else {
            glDisable(GL_CULL_FACE);
        }
    }
}

void mouseButtonCallback(GLFWwindow* /*window*/, int button, int action, int /*mods*/)
{
    handleMouseButtonEvent(button, action);
}

void scrollCallback(GLFWwindow* /*window*/, double /*xoffset*/, double yoffset)
{
    handleScrollEvent(yoffset);
}

void installInputCallbacks(GLFWwindow* window)
{
    glfwSetKeyCallback(window, keyCallback);
    glfwSetMouseButtonCallback(window, mouseButtonCallback);
    glfwSetScrollCallback(window, scrollCallback);
}
