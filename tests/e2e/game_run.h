#pragma once

#include "support/subprocess.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

// The game opens a window: without a display (the test command runs this suite under xvfb-run)
// there is nothing to test.
#define SKIP_WITHOUT_DISPLAY()                                                                     \
    if (std::getenv("DISPLAY") == nullptr)                                                         \
    GTEST_SKIP() << "needs a display"

inline std::string shippedRoute(const std::string& name)
{
    return std::string(KORVEL_SOURCE_DIR) + "/routes/" + name;
}

// A temporary copy of the built assets, where the real game plays and a test may break files.
// Deadlines are generous: the sanitizer build on a busy machine is many times slower.
class GameFolder : public TempDir {
  public:
    GameFolder() { copyBuiltAssets(); }

    void window(int width, int height) const
    {
        write("assets/settings.ini", "[window]\nwidth = " + std::to_string(width) +
                                         "\nheight = " + std::to_string(height) + "\n");
    }

    // korvel-replay ROUTE [OPTION]... in this folder.
    ProcessResult replay(std::vector<std::string> arguments) const
    {
        arguments.insert(arguments.begin(), KORVEL_REPLAY);
        return runProcess(arguments, path().string(), 600);
    }

    // What a player reads in a region (WxH+X+Y) of a screenshot: the white HUD text is turned
    // black on white first, so the picture behind it does not matter.
    std::string readText(const std::string& png, const std::string& region) const
    {
        runProcess({"/usr/bin/convert", png, "-crop", region, "-colorspace", "gray", "-threshold",
                    "92%", "-negate", "text.png"},
                   path().string(), 120);
        return runProcess({"/usr/bin/tesseract", "text.png", "-", "--psm", "6"}, path().string(),
                          120)
            .output;
    }

    // The mean of one channel of a screenshot, from 0 to 1, the channel picked by ImageMagick's
    // options: {"-colorspace", "gray"} is the brightness.
    double mean(const std::string& png, std::vector<std::string> channel) const
    {
        channel.insert(channel.begin(), {"/usr/bin/convert", png});
        channel.insert(channel.end(), {"-format", "%[fx:mean]", "info:"});
        const std::string value = runProcess(channel, path().string(), 120).output;
        return value.empty() ? -1.0 : std::stod(value);
    }
};
