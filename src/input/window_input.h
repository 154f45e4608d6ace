#pragma once

#include "game/pass_input.h"
#include "input/gamepad_keys.h"
#include "input/input_callbacks.h"

#include <vector>

struct GLFWwindow;

// The window with a pad as a pass's inputs: the window library's clock, the window's events
// and then the pad's, and the window's cursor. Given a script, the clock and the cursor are the
// script's, and its events come between the window's and the pad's: a replay's window still
// hears its own keys and a pad, as a player's does, but not its focus. The keyboard's keys are
// heard through the player's bindings; a pad's and a script's are the game's own.
class WindowInput final : public InputSource {
  public:
    // Installs the window's input callbacks; the window must outlive this.
    explicit WindowInput(GLFWwindow* window, InputSource* script = nullptr,
                         const KeyBindings& keys = {});
    // The window hears nothing more once this is gone.
    ~WindowInput() override;
    WindowInput(const WindowInput&) = delete;
    WindowInput& operator=(const WindowInput&) = delete;

    void beginPass() override;
    double sampleClock() override;
    void pollEvents(std::vector<InputEvent>& events, float frameTime) override;
    CursorPosition readCursor() override;

  private:
    GLFWwindow* const window;
    InputSource* const script;
    WindowHearing heard; // what the callbacks heard since the last poll
    GamepadKeys pad;
};

// The window's cursor in whole pixels.
CursorPosition windowCursor(GLFWwindow* window);
