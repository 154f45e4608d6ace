#pragma once

// The real game in a temporary folder. It opens a window: the test command runs this suite under
// xvfb-run. Deadlines are generous, as the sanitizer build on a busy machine is many times slower.

#include "support/subprocess.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A copy of the built assets, where the game plays and a test may break files.
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

    // ImageMagick's and tesseract's COMMAND on this folder's files.
    std::string shell(const std::string& command) const
    {
        return runProcess({"/bin/sh", "-c", command}, path().string(), 120).output;
    }
};
