#include "input/input_callbacks.h"

#include <GLFW/glfw3.h>

#include <algorithm>
#include <array>
#include <utility>

namespace {

// Every key the game names, beside its code in the window library. The letters and the
// function keys follow each other in both.
constexpr std::array<std::pair<Key, int>, 11> singleKeys = {{
    {Key::space, GLFW_KEY_SPACE},
    {Key::tab, GLFW_KEY_TAB},
    {Key::escape, GLFW_KEY_ESCAPE},
    {Key::leftBracket, GLFW_KEY_LEFT_BRACKET},
    {Key::rightBracket, GLFW_KEY_RIGHT_BRACKET},
    {Key::comma, GLFW_KEY_COMMA},
    {Key::period, GLFW_KEY_PERIOD},
    {Key::left, GLFW_KEY_LEFT},
    {Key::right, GLFW_KEY_RIGHT},
    {Key::home, GLFW_KEY_HOME},
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

// Where the window's events go, kept as the window's user pointer.
WindowHearing* hearing(GLFWwindow* window)
{
    return static_cast<WindowHearing*>(glfwGetWindowUserPointer(window));
}

void hear(GLFWwindow* window, const InputEvent& event)
{
    if (WindowHearing* heard = hearing(window)) {
        heard->events.push_back(event);
    }
}

} // namespace

void keyCallback(GLFWwindow* window, int key, int /*scancode*/, int action, int /*mods*/)
{
    // A key the game has no name for does nothing, and a run could not name it either.
    WindowHearing* heard = hearing(window);
    const Key game = heard != nullptr ? heard->keys.heard(gameKey(key)) : Key::other;
    if (game != Key::other) {
        heard->events.push_back(InputEvent::keyEvent(game, gameAction(action)));
    }
}

void mouseButtonCallback(GLFWwindow* window, int button, int action, int /*mods*/)
{
    hear(window, InputEvent::buttonEvent(gameButton(button), gameAction(action)));
}

void scrollCallback(GLFWwindow* window, double /*xoffset*/, double yoffset)
{
    hear(window, InputEvent::scrollEvent(yoffset));
}

void focusCallback(GLFWwindow* window, int focused)
{
    const WindowHearing* heard = hearing(window);
    if (focused == GLFW_FALSE && heard != nullptr && heard->focusHeard) {
        hear(window, InputEvent::focusLostEvent());
    }
}

void installInputCallbacks(GLFWwindow* window, WindowHearing& hearing)
{
    glfwSetWindowUserPointer(window, &hearing);
    glfwSetKeyCallback(window, keyCallback);
    glfwSetMouseButtonCallback(window, mouseButtonCallback);
    glfwSetScrollCallback(window, scrollCallback);
    glfwSetWindowFocusCallback(window, focusCallback);
}
