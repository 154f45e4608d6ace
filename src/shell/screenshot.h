#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

// Where F12 puts its pictures and under which names. Played from a build or source tree the
// game's working directory is the developer's own, so the pictures go beside assets/. Installed,
// the working directory is the user's hidden data folder, where nobody would look, so they go
// with the user's other pictures.

// The environment the rule reads, apart from the process's own, so it can be tried headless.
struct ScreenshotEnvironment {
    const char* installed = nullptr;   // KORVEL_INSTALLED, which the installed launcher exports
    const char* picturesDir = nullptr; // XDG_PICTURES_DIR
    const char* home = nullptr;        // HOME
};

// The process's own environment.
ScreenshotEnvironment screenshotEnvironment();

// "screenshots" when not installed; installed, "korvel" in XDG_PICTURES_DIR when that is an
// absolute path, else in HOME's "Pictures". Installed without either, "screenshots" as well.
std::filesystem::path screenshotFolder(const ScreenshotEnvironment& environment);

// Writes the picture (RGB, bottom row first) into the folder, made if missing, as the first
// korvel-NNNN.png not there yet, so an earlier shot is never overwritten. The file's path, or
// nothing when the folder or the file could not be written.
std::optional<std::filesystem::path> saveScreenshot(const std::filesystem::path& folder, int width,
                                                    int height,
                                                    const std::vector<std::uint8_t>& rgbBottomUp);
