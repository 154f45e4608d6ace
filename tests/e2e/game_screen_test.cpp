#include "screen_reading.h"

#include "support/subprocess.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

// The real game on the replay driver, in a temporary copy of the built assets.
class GameScreen : public ::testing::Test {
  protected:
    void SetUp() override
    {
        if (std::getenv("DISPLAY") == nullptr) {
            GTEST_SKIP() << "needs a display (the test command runs this under xvfb-run)";
        }
        folder.copyBuiltAssets();
    }

    ProcessResult replay(const std::string& route, const std::vector<std::string>& arguments)
    {
        folder.write("route.txt", route);
        std::vector<std::string> argv{KORVEL_REPLAY, "route.txt"};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        return runProcess(argv, folder.path().string(), 300);
    }

    std::string file(const std::string& name) const { return (folder / name).string(); }

    TempDir folder;
};

} // namespace

// Walking right from the start leaves the first counter and ends on the deadly floor about
// 1.4 s in; F11 then starts a fresh attempt.
TEST_F(GameScreen, ADeathShowsItsMessageAndTheDeadLookAndF11RestartsTheClock)
{
    const ProcessResult result =
        replay("0.0 D press\n2.0 D release\n3.0 F11 press\n3.1 F11 release\n",
               {"--until", "3.2", "--shot", "0.3:alive.png", "--shot", "2.5:dead.png", "--shot",
                // The pass after the restart's: its frame is the first of the new attempt.
                "3.11667:restarted.png"});
    ASSERT_EQ(result.exitStatus, 0) << result.output;
    EXPECT_NE(result.output.find("outcome: playing"), std::string::npos) << result.output;

    const std::string timer = readText(file("alive.png"), "260x70+0+0", folder.path());
    EXPECT_NE(timer.find("119 sec"), std::string::npos) << timer;

    const std::string deadScreen = readText(file("dead.png"), "800x800+0+0", folder.path());
    EXPECT_NE(deadScreen.find("NO PIZZA FOR YOU"), std::string::npos) << deadScreen;
    EXPECT_NE(deadScreen.find("Press F11 to restart"), std::string::npos) << deadScreen;

    const PictureTone alive = measureTone(file("alive.png"), folder.path());
    const PictureTone dead = measureTone(file("dead.png"), folder.path());
    EXPECT_LT(dead.brightness, alive.brightness * 0.6);
    EXPECT_LT(dead.saturation, alive.saturation);

    const std::string restarted = readText(file("restarted.png"), "260x70+0+0", folder.path());
    EXPECT_NE(restarted.find("120 sec"), std::string::npos) << restarted;
    const PictureTone fresh = measureTone(file("restarted.png"), folder.path());
    EXPECT_GT(fresh.brightness, dead.brightness * 1.5); // the dead look is gone
}

// Real X key events into the real game: the toggles print their lines, Escape ends it cleanly.
// The game gets an X server of its own, because key events go to whichever window has the
// focus, and on the shared test display other tests' windows come and go and take it.
TEST_F(GameScreen, RealKeyEventsReachTheGame)
{
    if (!std::filesystem::exists("/usr/bin/xdotool") || !std::filesystem::exists("/usr/bin/Xvfb")) {
        GTEST_SKIP() << "xdotool and Xvfb are installed by tools/setup.sh";
    }
    const std::string script =
        R"sh(Xvfb -displayfd 1 -screen 0 1024x1024x24 -nolisten tcp > display.txt 2> xvfb.err &
server=$!
trap 'kill "$server" 2>/dev/null' EXIT
for attempt in $(seq 1 300); do
  [ -s display.txt ] && break
  sleep 0.1
done
export DISPLAY=":$(head -n 1 display.txt)"
)sh" + std::string(KORVEL_GAME) +
        R"sh( > game.out 2>&1 &
game=$!
for attempt in $(seq 1 300); do
  window=$(xdotool search --onlyvisible --pid "$game" 2>/dev/null | head -n 1)
  [ -n "$window" ] && break
  sleep 0.1
done
# Keys pressed before the loop runs wait in the queue; a few seconds let a busy machine get there.
sleep 3
xdotool windowfocus --sync "$window"
xdotool key --delay 200 F2 F3 Escape
wait "$game"
echo "exit status $?"
cat game.out
)sh";
    const ProcessResult result =
        runProcess({"/bin/bash", "-c", script}, folder.path().string(), 120);
    EXPECT_NE(result.output.find("Debug: 1"), std::string::npos) << result.output;
    EXPECT_NE(result.output.find("Wireframe: 1"), std::string::npos) << result.output;
    EXPECT_NE(result.output.find("exit status 0"), std::string::npos) << result.output;
}
