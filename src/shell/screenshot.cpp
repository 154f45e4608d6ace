#include "shell/screenshot.h"

#include "render/png_writer.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <system_error>

ScreenshotEnvironment screenshotEnvironment()
{
    return {std::getenv("KORVEL_INSTALLED"), std::getenv("XDG_PICTURES_DIR"), std::getenv("HOME")};
}

std::filesystem::path screenshotFolder(const ScreenshotEnvironment& environment)
{
    const auto set = [](const char* value) { return value != nullptr && *value != '\0'; };
    if (!set(environment.installed) || std::string(environment.installed) == "0") {
        return "screenshots";
    }
    // A relative XDG_PICTURES_DIR is invalid and ignored, as the base-directory rules ask.
    if (set(environment.picturesDir) && environment.picturesDir[0] == '/') {
        return std::filesystem::path(environment.picturesDir) / "korvel";
    }
    if (set(environment.home)) {
        return std::filesystem::path(environment.home) / "Pictures" / "korvel";
    }
    return "screenshots";
}

std::optional<std::filesystem::path> saveScreenshot(const std::filesystem::path& folder, int width,
                                                    int height,
                                                    const std::vector<std::uint8_t>& rgbBottomUp)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        return std::nullopt;
    }
    // Numbered, not timestamped: two shots in one second stay apart and the names sort in order.
    for (int number = 1;; ++number) {
        char name[32];
        std::snprintf(name, sizeof name, "korvel-%04d.png", number);
        const std::filesystem::path file = folder / name;
        const bool taken = std::filesystem::exists(file, error);
        if (error) {
            return std::nullopt;
        }
        if (!taken) {
            return writePng(file.string(), width, height, rgbBottomUp)
                       ? std::optional<std::filesystem::path>(file)
                       : std::nullopt;
        }
    }
}
