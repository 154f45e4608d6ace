#include "input/input_callbacks.h"

#include "game/input_state.h"
#include "game/key_input.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <algorithm>
#include <array>
#include <utility>

namespace {

// Every key the game names, beside its code in the window library. The letters and the
// function keys follow each other in both.
constexpr std::array<std::pair<Key, int>, 4> singleKeys = {{
    {Key::space, GLFW_KEY_SPACE},
    {Key::tab, GLFW_KEY_TAB},
    {Key::escape, GLFW_KEY_ESCAPE},
    {Key::other, GLFW_KEY_UNKNOWN},
}};

Key gameKey(int code)
{
    if (code >= GLFW_KEY_A && code <= GLFW_KEY_Z) {
        return static_cast<Key>(static_cast<int>(Key::a) + (code - GLFW_KEY_A));
    }
    if (code >= GLFW_KEY_F1 && code <= GLFW_KEY_F12) {
        return static_cast<Key>(static_cast<int>(Key::f1) + (code - GLFW_KEY_F1));
    }
    const auto found = std::ranges::find(singleKeys, code, &std::pair<Key, int>::second);
    return found != singleKeys.end() ? found->first : Key::other;
}

KeyAction gameAction(int action)
{
    if (action == GLFW_PRESS) {
        return KeyAction::press;
    }
    return action == GLFW_RELEASE ? KeyAction::release : KeyAction::repeat;
}

MouseButton gameButton(int button)
{
    if (button == GLFW_MOUSE_BUTTON_LEFT) {
        return MouseButton::left;
    }
    return button == GLFW_MOUSE_BUTTON_RIGHT ? MouseButton::right : MouseButton::other;
}

} // namespace

int windowKeyCode(Key key)
{
    const int index = static_cast<int>(key);
    if (key >= Key::a && key <= Key::z) {
        return GLFW_KEY_A + (index - static_cast<int>(Key::a));
    }
    if (key >= Key::f1 && key <= Key::f12) {
        return GLFW_KEY_F1 + (index - static_cast<int>(Key::f1));
    }
    return std::ranges::find(singleKeys, key, &std::pair<Key, int>::first)->second;
}

int windowKeyAction(KeyAction action)
{
    switch (action) {
    case KeyAction::press:
        return GLFW_PRESS;
    case KeyAction::release:
        return GLFW_RELEASE;
    default:
        return GLFW_REPEAT;
    }
}

void keyCallback(GLFWwindow* window, int key, int /*scancode*/, int action, int /*mods*/)
{
    applyKeyEffects(window, handleKeyEvent(gameKey(key), gameAction(action)));
}

void applyKeyEffects(GLFWwindow* window, const KeyEffects& effects)
{
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
    handleMouseButtonEvent(gameButton(button), gameAction(action));
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
