#include "game_run.h"

namespace {

// What a player reads in a region (WxH+X+Y) of a screenshot: the white HUD text is turned black
// on white first, so the picture behind it does not matter.
std::string readText(const GameFolder& game, const std::string& png, const std::string& region)
{
    return game.shell("convert " + png + " -crop " + region +
                      " -colorspace gray -threshold 92% -negate png:- | tesseract - - --psm 6");
}

// The mean of one of a screenshot's channels, picked by ImageMagick OPTIONS, from 0 to 1.
double mean(const GameFolder& game, const std::string& png, const std::string& options)
{
    return std::stod("0" +
                     game.shell("convert " + png + " " + options + " -format %[fx:mean] info:"));
}

const std::string brightness = "-colorspace gray";
const std::string saturation = "-colorspace HSL -channel G -separate";

} // namespace

// Walking right from the start leaves the first counter and ends on the deadly floor about
// 1.4 s in; F11 then starts a fresh attempt.
TEST(GameScreen, ADeathShowsItsMessageAndTheDeadLookAndF11RestartsTheClock)
{
    GameFolder game;
    game.write("route.txt", "0.0 D press\n2.0 D release\n3.0 F11 press\n3.1 F11 release\n");
    const ProcessResult run =
        game.replay({"route.txt", "--until", "3.2", "--shot", "0.3:alive.png", "--shot",
                     "2.5:dead.png", "--shot", "3.11667:restarted.png"}); // the new attempt's first
    ASSERT_EQ(run.exitStatus, 0) << run.output;

    const std::string timer = readText(game, "alive.png", "260x70+0+0");
    EXPECT_NE(timer.find("119 sec"), std::string::npos) << timer;
    const std::string deadScreen = readText(game, "dead.png", "800x800+0+0");
    EXPECT_NE(deadScreen.find("NO PIZZA FOR YOU"), std::string::npos) << deadScreen;
    EXPECT_NE(deadScreen.find("Press F11 to restart"), std::string::npos) << deadScreen;
    const double dead = mean(game, "dead.png", brightness);
    EXPECT_LT(dead, mean(game, "alive.png", brightness) * 0.6);
    EXPECT_LT(mean(game, "dead.png", saturation), mean(game, "alive.png", saturation));

    const std::string restarted = readText(game, "restarted.png", "260x70+0+0");
    EXPECT_NE(restarted.find("120 sec"), std::string::npos) << restarted;
    EXPECT_GT(mean(game, "restarted.png", brightness), dead * 1.5); // the dead look is gone
}

// Real X key events into the real game: the toggles print their lines, Escape ends it cleanly.
// The game gets an X server of its own, because key events go to whichever window has the
// focus, and on the shared test display other tests' windows come and go and take it. Each
// wait is for the thing itself, under a deadline of two minutes. tools/setup.sh installs
// xdotool and Xvfb.
TEST(GameScreen, RealKeyEventsReachTheGame)
{
    const std::string script = R"sh(
exec 3< <(exec Xvfb -displayfd 1 -screen 0 1024x1024x24 -nolisten tcp 2>/dev/null)
trap "kill $! 2>/dev/null" EXIT
read -r -t 120 number <&3 || exit 1
export DISPLAY=":$number"
"$0" >game.out 2>&1 &
game=$!
xdotool windowfocus --sync "$(timeout 120 xdotool search --sync --onlyvisible --pid $game | head -n 1)"
# A key pressed before the game listens may be lost: press it again until the game answers.
for toggle in F2:Debug F3:Wireframe; do
  for ((second = 0; second < 120; second++)); do
    grep -q "^${toggle#*:}" game.out || ! kill -0 "$game" && break
    xdotool key "${toggle%:*}" && sleep 1
  done
done
xdotool key Escape
timeout 120 tail --pid="$game" -f /dev/null || { echo "still running after Escape"; kill "$game"; }
wait "$game"
echo "exit status $?"
cat game.out
)sh";
    const GameFolder game;
    const ProcessResult run =
        runProcess({"/bin/bash", "-c", script, KORVEL_GAME}, game.path().string(), 600);
    // The first press of each key switches it on, whichever presses came after.
    EXPECT_NE(run.output.find("\nDebug: 1\n"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("\nWireframe: 1\n"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("exit status 0\n"), std::string::npos) << run.output;
}
