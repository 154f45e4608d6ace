#pragma once

#include "input/gamepad_keys.h"

struct GLFWwindow;

// The pad for this pass: the first joystick slot holding a pad the window library has a standard
// mapping for, or the empty state when there is none. Every slot is looked at every pass, so a
// pad plugged in or pulled out while the game runs is taken up or dropped at the next pass.
PadState readGamepad();

// Hands the pad's key events of this pass to the game on the keyboard's path, with the window
// and GL effects a key applies (Back held long enough closes the window as Escape does).
void handPadToGame(GLFWwindow* window, GamepadKeys& pad, const PadState& state, float dt);

// The loop's pad step, right after the window's events: read the pad and hand it on.
void pollGamepad(GLFWwindow* window, GamepadKeys& pad, float dt);
