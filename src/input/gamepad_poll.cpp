#include "input/gamepad_poll.h"

#include <GLFW/glfw3.h>

namespace {

PadState padState(const GLFWgamepadstate& raw)
{
    const auto down = [&raw](int button) { return raw.buttons[button] == GLFW_PRESS; };
    PadState pad;
    pad.connected = true;
    pad.jump = down(GLFW_GAMEPAD_BUTTON_A);
    pad.start = down(GLFW_GAMEPAD_BUTTON_START);
    pad.back = down(GLFW_GAMEPAD_BUTTON_BACK);
    pad.restart = down(GLFW_GAMEPAD_BUTTON_Y);
    pad.up = down(GLFW_GAMEPAD_BUTTON_DPAD_UP);
    pad.down = down(GLFW_GAMEPAD_BUTTON_DPAD_DOWN);
    pad.left = down(GLFW_GAMEPAD_BUTTON_DPAD_LEFT);
    pad.right = down(GLFW_GAMEPAD_BUTTON_DPAD_RIGHT);
    pad.stickX = raw.axes[GLFW_GAMEPAD_AXIS_LEFT_X];
    pad.stickY = raw.axes[GLFW_GAMEPAD_AXIS_LEFT_Y]; // the library's up is -1, as ours
    return pad;
}

} // namespace

PadState readGamepad()
{
    GLFWgamepadstate raw;
    for (int slot = GLFW_JOYSTICK_1; slot <= GLFW_JOYSTICK_LAST; ++slot) {
        if (glfwGetGamepadState(slot, &raw) == GLFW_TRUE) {
            return padState(raw);
        }
    }
    return PadState{};
}
