#pragma once

// The real game in a temporary folder. It opens a window: the test command runs this suite under
// xvfb-run. Deadlines are generous, as the sanitizer build on a busy machine is many times slower.

#include "subprocess/subprocess.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

// A copy of the built assets, where the game plays and a test may break files.
class GameFolder : public TempDir {
  public:
    GameFolder() { copyBuiltAssets(); }

    // A settings file of the window's size, and of more sections when given.
    void window(int width, int height, const std::string& more = "") const
    {
        write("assets/settings.ini", "[window]\nwidth = " + std::to_string(width) +
                                         "\nheight = " + std::to_string(height) + "\n" + more);
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
        return shell("convert " + png + " -crop " + region +
                     " -colorspace gray -threshold 92% -negate png:- | tesseract - - --psm 6");
    }

    // The same for the HUD's outlined text over a bright background, which the threshold above
    // would merge with it: the bright parts outside the dark outlines are blacked out from the
    // region's edges in, leaving the letters.
    std::string readOutlined(const std::string& png, const std::string& region) const
    {
        return shell("convert " + png + " -crop " + region +
                     " +repage -colorspace gray -threshold 50% -bordercolor white -border 1"
                     " -fill black -draw 'color 0,0 floodfill' -shave 1x1 -negate png:-"
                     " | tesseract - - --psm 7");
    }

    // The mean of a screenshot's channel, picked by ImageMagick's OPTIONS, from 0 to 1.
    double mean(const std::string& png, const std::string& options) const
    {
        return std::stod("0" +
                         shell("convert " + png + " " + options + " -format %[fx:mean] info:"));
    }

    std::string shell(const std::string& command) const
    {
        return runProcess({"/bin/sh", "-c", command}, path().string(), 120).output;
    }
};

// The start of a shell script that runs the game ($0) on an X server of its own, with its
// output in game.out and its window focused, so that xdotool's events reach it: key events go
// to whichever window has the focus, and on the shared test display other tests' windows come
// and go and take it. A key pressed before the game listens may be lost, so a script presses a
// toggle until the game prints its line; seen waits for the game's lines. tools/setup.sh installs
// xdotool and Xvfb.
inline constexpr const char* gameOnItsOwnXServer = R"sh(
exec 3< <(exec Xvfb -displayfd 1 -screen 0 1024x1024x24 -nolisten tcp 2>/dev/null)
trap "kill $! 2>/dev/null" EXIT
read -r -t 120 number <&3 && export DISPLAY=":$number" || exit 1
"$0" >game.out 2>&1 &
game=$!
xdotool windowfocus --sync "$(timeout 120 xdotool search --sync --onlyvisible --pid $game | head -n 1)"
seen() { # seen COUNT PATTERN: until game.out has COUNT lines matching PATTERN
  for ((tenth = 0; tenth < 1200; tenth++)); do
    (($(grep -c "$2" game.out) >= $1)) && return 0
    kill -0 $game || return 1
    sleep 0.1
  done
  return 1
}
)sh";

// The end of such a script, once it has asked the game to quit: its exit status and its lines.
inline constexpr const char* gameEndsOnItsOwnXServer = R"sh(
timeout 120 tail --pid=$game -f /dev/null || kill $game
wait $game
echo "exit status $?"
cat game.out
)sh";
