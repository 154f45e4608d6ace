#pragma once

#include "game/key_bindings.h"

#include <string>

// The start-up values the game reads once from "assets/settings.ini" (shell/settings_reader.h);
// a game without the file, such as the headless one, plays with these defaults.
struct Settings {
    int width = 800;
    int height = 800;
    std::string title = "Korvel";
    bool fullscreen = false;
    float brightness = 1.0f;
    float fov = 60.0f; // degrees, orbit camera only
    float near = 0.1f;
    float far = 100.0f;
    KeyBindings keys{};         // [keys]: the player's own keys for the moves and the switches
    float musicVolume = 0.5f;   // 0 to 1: the tune sits under the effects
    float effectsVolume = 1.0f; // 0 to 1: at 1 the effects play as they were made
};
