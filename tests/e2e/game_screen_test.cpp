#include "game_run.h"

#include <cstdlib>
#include <sstream>

const std::string brightness = "-colorspace gray";
const std::string saturation = "-colorspace HSL -channel G -separate";

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

    const std::string timer = game.readText("alive.png", "260x70+0+0");
    EXPECT_NE(timer.find("119 sec"), std::string::npos) << timer;
    const std::string deadScreen = game.readText("dead.png", "800x800+0+0");
    EXPECT_NE(deadScreen.find("NO PIZZA FOR YOU"), std::string::npos) << deadScreen;
    EXPECT_NE(deadScreen.find("Press F11 to restart"), std::string::npos) << deadScreen;
    const double dead = game.mean("dead.png", brightness);
    EXPECT_LT(dead, game.mean("alive.png", brightness) * 0.6);
    EXPECT_LT(game.mean("dead.png", saturation), game.mean("alive.png", saturation));

    const std::string restarted = game.readText("restarted.png", "260x70+0+0");
    EXPECT_NE(restarted.find("120 sec"), std::string::npos) << restarted;
    EXPECT_GT(game.mean("restarted.png", brightness), dead * 1.5); // the dead look is gone
    // The run kept at the end is the attempt F11's release started, from its own snapshot: a
    // fresh process checks it, and watching it starts on its fresh clock.
    const std::string last = game.read("assets/last.run");
    EXPECT_TRUE(last.starts_with("korvel-run 5\n")) << last.substr(0, 200);
    EXPECT_NE(last.find("\noutcome playing\n"), std::string::npos);
    const ProcessResult verified = game.replay({"--verify", "assets/last.run"});
    EXPECT_EQ(verified.exitStatus, 0) << verified.output;
    EXPECT_TRUE(verified.output.starts_with("verified: playing time=0.1")) << verified.output;
    const ProcessResult watched = game.replay({"assets/last.run", "--shot", "0:watched.png"});
    ASSERT_EQ(watched.exitStatus, 0) << watched.output;
    const std::string watchedTimer = game.readText("watched.png", "260x70+0+0");
    EXPECT_NE(watchedTimer.find("120 sec"), std::string::npos) << watchedTimer;
}

// F12 saves the frame the player sees, the same picture --shot takes of that pass, under the
// first free name beside assets/, and says where.
TEST(GameScreen, F12SavesTheShownFrameBesideAssetsAndPrintsItsPath)
{
    GameFolder game;
    game.write("screenshots/korvel-0001.png", "mine");
    game.write("route.txt", "0.1 F12 press\n0.2 F12 release\n");
    const ProcessResult run =
        game.replay({"route.txt", "--until", "0.3", "--shot", "0.2:shown.png"});
    ASSERT_EQ(run.exitStatus, 0) << run.output;
    EXPECT_EQ(run.output, "Screenshot: screenshots/korvel-0002.png\noutcome: playing\n");
    EXPECT_EQ(game.read("screenshots/korvel-0001.png"), "mine");
    EXPECT_EQ(game.shell("compare -metric AE shown.png screenshots/korvel-0002.png null: 2>&1"),
              "0");
}

// The white HUD text, outlined in black, reads over the white clear colour beyond a far plane of
// 100 (the start's view down the counter) as well as over the walls.
TEST(GameScreen, TheOutlinedHudReadsOverWhite)
{
    GameFolder game;
    game.write("assets/settings.ini", "[camera]\nfar = 100.0\n");
    game.write("route.txt", "0 F2 press\n0.1 F2 release\n");
    const ProcessResult run = game.replay({"route.txt", "--until", "1", "--shot", "0.5:sky.png"});
    ASSERT_EQ(run.exitStatus, 0) << run.output;
    ASSERT_GT(game.mean("sky.png", "-crop 300x20+380+40 -colorspace gray"), 0.97);
    const std::string overSky = game.readOutlined("sky.png", "470x40+330+0");
    EXPECT_NE(overSky.find("FT: 0.016667; FPS: 59.99"), std::string::npos) << overSky;
    const std::string timer = game.readOutlined("sky.png", "260x70+0+0");
    EXPECT_NE(timer.find("119 sec"), std::string::npos) << timer;
}

// The default 800-pixel window is narrower than the end headlines were laid out for: the
// time-up one (reached in 41 passes of 3 s) is drawn smaller, whole and centred.
TEST(GameScreen, TheTimeUpHeadlineFitsTheDefaultWindow)
{
    GameFolder game;
    const ProcessResult run = game.replay(
        {"/dev/null", "--frame-time", "3", "--until", "123", "--shot", "122:timeup.png"});
    ASSERT_EQ(run.output, "outcome: timeup\n");
    const std::string headline = game.readText("timeup.png", "800x80+0+230");
    EXPECT_NE(headline.find("THE PIZZA WAS SERVED WITHOUT YOU"), std::string::npos) << headline;
}

// The best run's ghost shows where that run stood at the same play time (here 6 units ahead on
// the first counter); without the file, with a cut one, or switched off by G, every pixel is
// the one drawn with no ghost at all.
TEST(GameScreen, TheBestRunsGhostShowsOnlyWhenItIsThereAndOn)
{
    GameFolder game;
    game.window(240, 240);
    game.write("ghost-off.route", "0 G press\n0 G release\n");
    const std::string best = "korvel-run 1\nbuild korvel\nattempt 0\nstart 0\np 0 5 6 0 0\nend 1\n";
    const auto shot = [&](const std::string& route, const std::string& png) {
        const ProcessResult run = game.replay({route, "--until", "1", "--shot", "1:" + png});
        EXPECT_EQ(run.exitStatus, 0) << run.output;
    };
    shot("/dev/null", "absent.png");
    game.write("assets/best.run", best.substr(0, best.size() - 6));
    shot("/dev/null", "cut.png");
    game.write("assets/best.run", best);
    shot("/dev/null", "ghost.png");
    shot("ghost-off.route", "off.png");
    const auto differing = [&](const std::string& png) {
        return std::stoi(game.shell("compare -metric AE absent.png " + png + " null: 2>&1"));
    };
    EXPECT_EQ(differing("cut.png"), 0);
    EXPECT_EQ(differing("off.png"), 0);
    EXPECT_GT(differing("ghost.png"), 50);
}

// A run played with real X key, button and wheel events is kept as last.run, and korvel-replay
// plays it again pass for pass (it fails if the foot ever leaves the recorded one) to the foot
// where the game left the player (the pause's test checks such a run headless).
TEST(GameScreen, ARunPlayedWithRealKeysIsReplayedToTheSameFoot)
{
    const std::string script = std::string(gameOnItsOwnXServer) + R"sh(
for ((second = 0; second < 120; second++)); do
  grep -q "^Debug" game.out || ! kill -0 $game && break
  xdotool key F2 && sleep 1
done
xdotool keydown w sleep 0.5 keydown a key space sleep 0.5 keyup a keyup w key Tab
xdotool mousemove 100 100 mousedown 1 mousemove 160 130 mouseup 1 click 4 click 5 key Tab
xdotool key Escape
timeout 120 tail --pid=$game -f /dev/null || kill $game
wait $game
)sh";
    GameFolder game;
    game.window(240, 240);
    runProcess({"/bin/bash", "-c", script, KORVEL_GAME}, game.path().string(), 600);
    const std::string recorded = game.read("assets/last.run");
    for (const char* line : {"\nk SPACE press\n", "\nb left release\n", "\ns 0x1p+0\n", "\nc "}) {
        EXPECT_NE(recorded.find(line), std::string::npos) << line << " in\n" << recorded;
    }
    const ProcessResult run = game.replay({"assets/last.run", "--foot"});
    ASSERT_EQ(run.exitStatus, 0) << run.output;
    // The last pass line: p DRAW UPDATE X Y Z
    std::istringstream last(recorded.substr(recorded.rfind("\np ") + 3));
    std::string draw, update, x, y, z;
    last >> draw >> update >> x >> y >> z;
    std::istringstream replayed(run.output.substr(run.output.find("\nfoot: ") + 7));
    double foot[3];
    replayed >> foot[0] >> foot[1] >> foot[2];
    EXPECT_EQ(foot[0], std::strtod(x.c_str(), nullptr)) << run.output;
    EXPECT_EQ(foot[1], std::strtod(y.c_str(), nullptr)) << run.output;
    EXPECT_EQ(foot[2], std::strtod(z.c_str(), nullptr)) << run.output;
}

// The pause through real X events, in a game whose forward is rebound to I: I runs the player
// forward (the run hears W), P pauses, and two pictures two seconds apart are the same to the
// pixel, timer and all, with PAUSED across them; P resumes, the window losing the focus pauses
// again, and the run with both pauses in it verifies. Every wait is for the game's own line,
// and Escape ends the game cleanly.
TEST(GameScreen, PPausesTheWholePictureAndLosingTheFocusPausesARunThatStillVerifies)
{
    const std::string script = std::string(gameOnItsOwnXServer) + R"sh(
window=$(xdotool getwindowfocus)
for ((second = 0; second < 120; second++)); do
  grep -q "^Ghost" game.out || ! kill -0 $game && break
  xdotool key g && sleep 1
done
xdotool keydown i sleep 0.5 keyup i
xdotool key p && seen 1 "^Pause: 1"
xdotool key F12 && seen 1 "^Screenshot:"
sleep 2 # the picture must not change meanwhile
xdotool key F12 && seen 2 "^Screenshot:"
xdotool key p && seen 1 "^Pause: 0"
xdotool key F12 && seen 3 "^Screenshot:"
xdotool windowfocus "$(xwininfo -root | awk '/Window id:/ { print $4 }')"
seen 2 "^Pause: 1"
xdotool windowfocus --sync "$window" key p && seen 2 "^Pause: 0"
xdotool key Escape
)sh" + std::string(gameEndsOnItsOwnXServer);
    GameFolder game;
    game.write("assets/settings.ini", "[window]\nwidth = 400\nheight = 400\n[keys]\nforward = I\n");
    const ProcessResult run =
        runProcess({"/bin/bash", "-c", script, KORVEL_GAME}, game.path().string(), 600);
    EXPECT_TRUE(run.output.starts_with("exit status 0\n")) << run.output;
    const std::size_t paused = run.output.find("Pause: 1\nScreenshot: ");
    ASSERT_NE(paused, std::string::npos) << run.output;
    EXPECT_NE(run.output.find("Pause: 0\nScreenshot: ", paused), std::string::npos);
    EXPECT_NE(run.output.find("Pause: 1\nPause: 0\n", paused), std::string::npos) << run.output;

    const std::string first = "screenshots/korvel-0001.png";
    EXPECT_EQ(game.shell("compare -metric AE " + first + " screenshots/korvel-0002.png null: 2>&1"),
              "0");
    const std::string pausedText = game.readText(first, "400x100+0+80");
    EXPECT_NE(pausedText.find("PAUSED"), std::string::npos) << pausedText;
    const std::string resumeLine = game.readText(first, "400x40+0+185");
    EXPECT_NE(resumeLine.find("Press P to resume"), std::string::npos) << resumeLine;
    const std::string resumed = game.readText("screenshots/korvel-0003.png", "400x150+0+80");
    EXPECT_EQ(resumed.find("PAUSED"), std::string::npos) << resumed;

    const std::string recorded = game.read("assets/last.run");
    EXPECT_NE(recorded.find("\nk W press\n"), std::string::npos);
    EXPECT_EQ(recorded.find("\nk I "), std::string::npos);
    EXPECT_NE(recorded.find("\nf lost\n"), std::string::npos);
    // I moved the player forward along +X.
    std::istringstream lastPass(recorded.substr(recorded.rfind("\np ") + 3));
    std::istringstream firstPass(recorded.substr(recorded.find("\np ") + 3));
    std::string draw, update, x, startX;
    lastPass >> draw >> update >> x;
    firstPass >> draw >> draw >> startX;
    EXPECT_GT(std::strtod(x.c_str(), nullptr) - std::strtod(startX.c_str(), nullptr), 2.0);
    const ProcessResult verified = game.replay({"--verify", "assets/last.run"});
    EXPECT_EQ(verified.exitStatus, 0) << verified.output;
}
