#pragma once

#include "game/input_codes.h"

#include <optional>
#include <string>
#include <string_view>

// The names routes and recorded runs give the game's keys: a capital letter, SPACE, TAB, ESCAPE
// or F1 to F12.
std::string keyName(Key key);

// The key of a name; Key::other for any name that is none of them.
Key keyNamed(std::string_view name);

// The names of what happens to a key or button: "press", "release" and "repeat".
const char* actionName(KeyAction action);
std::optional<KeyAction> actionNamed(std::string_view name);
