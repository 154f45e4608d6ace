#pragma once

#include <string>

class SettingsReader;

// The start-up values the game reads once from "assets/settings.ini".
struct Settings {
    int width = 800;
    int height = 800;
    std::string title = "Korvel";
    bool fullscreen = false;
    float brightness = 1.0f;
    float fov = 60.0f; // degrees, orbit camera only
    float near = 0.1f;
    float far = 100.0f;
};

// Reads the eight keys in the game's fixed order, each falling back to its default.
Settings readSettings(const SettingsReader& reader);
