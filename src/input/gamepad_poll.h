#pragma once

#include "input/gamepad_keys.h"

// The pad for this pass: the first joystick slot holding a pad the window library has a standard
// mapping for, or the empty state when there is none. Every slot is looked at every pass, so a
// pad plugged in or pulled out while the game runs is taken up or dropped at the next pass.
PadState readGamepad();
