#include "input/window_input.h"

#include "input/gamepad_poll.h"
#include "input/input_callbacks.h"

#include <GLFW/glfw3.h>

namespace {

// More than a player's hands make in one pass; past it the list grows once and keeps that.
constexpr std::size_t reservedEvents = 64;

} // namespace

WindowInput::WindowInput(GLFWwindow* window, InputSource* script, const KeyBindings& keys)
    : window(window), script(script)
{
    heard.events.reserve(reservedEvents);
    heard.keys = keys;
    heard.focusHeard = script == nullptr;
    installInputCallbacks(window, heard);
}

WindowInput::~WindowInput()
{
    if (glfwGetWindowUserPointer(window) == &heard) {
        glfwSetWindowUserPointer(window, nullptr);
    }
}

void WindowInput::beginPass()
{
    if (script != nullptr) {
        script->beginPass();
    }
}

double WindowInput::sampleClock()
{
    return script != nullptr ? script->sampleClock() : glfwGetTime();
}

void WindowInput::pollEvents(std::vector<InputEvent>& events, float frameTime)
{
    glfwPollEvents();
    events.insert(events.end(), heard.events.begin(), heard.events.end());
    heard.events.clear();
    if (script != nullptr) {
        script->pollEvents(events, frameTime);
    }
    // The pad is read where the window's events are, and its events follow the keyboard's.
    for (const PadKeyEvent& event : pad.translate(readGamepad(), frameTime)) {
        events.push_back(InputEvent::keyEvent(event.key, event.action, KeySource::pad));
    }
}

CursorPosition WindowInput::readCursor()
{
    return script != nullptr ? script->readCursor() : windowCursor(window);
}

CursorPosition windowCursor(GLFWwindow* window)
{
    double x = 0.0;
    double y = 0.0;
    glfwGetCursorPos(window, &x, &y);
    return {static_cast<int>(x), static_cast<int>(y)};
}
