#include "app/game_state.h"
#include "app/headless_game.h"
#include "app/input_state.h"
#include "app/route.h"

#include "support/temp_dir.h"

#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

// The scripted routes in routes/, played through the game's own update at 60 passes a second,
// as korvel-replay plays them: until two seconds after the last key event.
namespace {

constexpr double frameTime = 1.0 / 60.0;

Route loadShippedRoute(const std::string& name)
{
    const std::filesystem::path file = std::filesystem::path(KORVEL_SOURCE_DIR) / "routes" / name;
    RouteError error;
    const std::optional<Route> route = loadRoute(file.string(), error);
    EXPECT_TRUE(route.has_value()) << file << ":" << error.line << ": " << error.message;
    return route.value_or(Route{});
}

double lastEventTime(const Route& route)
{
    double last = 0.0;
    for (const RouteEvent& event : route.events) {
        last = std::max(last, event.time);
    }
    return last;
}

double eventTime(const Route& route, int key, int action)
{
    for (const RouteEvent& event : route.events) {
        if (event.key == key && event.action == action) {
            return event.time;
        }
    }
    ADD_FAILURE() << "the route has no such event";
    return 0.0;
}

// Where and when the attempt first stopped playing.
struct Ending {
    bool reached = false;
    double time = 0.0;
    glm::dvec3 foot{0.0};
};

std::string describe(const Ending& ending)
{
    if (!ending.reached) {
        return "still playing";
    }
    return std::string(dead ? "dead " : "") + (won ? "won " : "") + (timeUp ? "timeUp " : "") +
           "at t " + std::to_string(ending.time) + ", foot (" + std::to_string(ending.foot.x) +
           ", " + std::to_string(ending.foot.y) + ", " + std::to_string(ending.foot.z) + ")";
}

class ScriptedRoute : public ::testing::Test {
  protected:
    // Plays the route; afterPass (if given) sees every pass after the ending has been noted.
    void play(HeadlessGame& game, const Route& route,
              const std::function<void(long, const GameSession::PassResult&)>& afterPass = {})
    {
        game.run(route, frameTime, lastEventTime(route) + 2.0,
                 [&](long pass, const GameSession::PassResult& result) {
                     if (!ending.reached && !attemptPlaying()) {
                         ending.reached = true;
                         ending.time = static_cast<double>(pass + 1) * frameTime;
                         ending.foot = result.foot;
                     }
                     if (afterPass) {
                         afterPass(pass, result);
                     }
                 });
    }

    TempDir folder;
    Ending ending;
};

TEST_F(ScriptedRoute, WinReachesThePizzaWithTimeToSpareAndRecordsTheScore)
{
    const Route route = loadShippedRoute("win.route");
    for (const RouteEvent& event : route.events) {
        // Run as a player runs: the V (free jump) and K (dash) cheats are not pressed.
        EXPECT_NE(event.key, GLFW_KEY_V) << "line " << event.line;
        EXPECT_NE(event.key, GLFW_KEY_K) << "line " << event.line;
    }
    HeadlessGame game(folder / "score.txt");
    play(game, route);

    ASSERT_TRUE(won) << describe(ending);
    EXPECT_FALSE(dead);
    EXPECT_FALSE(timeUp);
    const int score = game.session().attempt().secondsLeft();
    EXPECT_GE(score, 75);
    EXPECT_GT(ending.foot.x, 330.0) << "the pizza lies on table 2";
    EXPECT_EQ(game.bestScore().value, score);
    EXPECT_EQ(folder.read("score.txt"), std::to_string(score));
}

// The route checker and these tests play many games in one process: each must start from the
// state a freshly started program has, whatever the game before it left behind.
TEST_F(ScriptedRoute, AWinAfterAnotherGameInTheSameProcessIsStillAWin)
{
    {
        HeadlessGame earlier(folder / "earlier.txt");
        play(earlier, loadShippedRoute("fall.route"));
        ASSERT_TRUE(ending.reached);
    }
    toon = false; // switched off by the earlier player
    followCamera = false;
    ending = Ending{};

    HeadlessGame game(folder / "score.txt");
    play(game, loadShippedRoute("win.route"));
    ASSERT_TRUE(won) << describe(ending);
    EXPECT_TRUE(followCamera);
    EXPECT_GE(game.session().attempt().secondsLeft(), 75);
}

TEST_F(ScriptedRoute, FallDiesOnTheFloorAndF11PutsThePlayerBackAtTheStart)
{
    const Route route = loadShippedRoute("fall.route");
    HeadlessGame game(folder / "score.txt");
    std::optional<double> restartTime;
    bool playingAfterRestart = false;
    int secondsShownAfterRestart = -1;
    glm::dvec3 lastFoot{0.0};
    play(game, route, [&](long pass, const GameSession::PassResult& result) {
        if (result.restarted && !restartTime) {
            restartTime = static_cast<double>(pass + 1) * frameTime;
            playingAfterRestart = attemptPlaying();
            secondsShownAfterRestart = game.session().attempt().secondsLeft();
        }
        if (result.playerMoved) {
            lastFoot = result.foot;
        }
    });

    ASSERT_TRUE(ending.reached);
    EXPECT_NEAR(ending.foot.y, -21.0, 0.1) << "the kitchen's floor: " << describe(ending);
    EXPECT_GT(ending.foot.z, 6.0) << "off the first run's side";
    ASSERT_TRUE(restartTime.has_value());
    EXPECT_GE(eventTime(route, GLFW_KEY_F11, GLFW_RELEASE) - ending.time, 1.0);
    EXPECT_TRUE(playingAfterRestart);
    EXPECT_EQ(secondsShownAfterRestart, 120);

    // Two seconds on, the player stands on the first run right below the start.
    EXPECT_TRUE(attemptPlaying());
    EXPECT_NEAR(lastFoot.x, 0.0, 1e-6);
    EXPECT_NEAR(lastFoot.y, 0.0, 0.01);
    EXPECT_NEAR(lastFoot.z, 0.0, 1e-6);
    EXPECT_GE(game.session().attempt().secondsLeft(), 117);
    EXPECT_LE(game.session().attempt().secondsLeft(), 118);
}

TEST_F(ScriptedRoute, TimeUpWaitsOutOfReachUntilTheTimeRunsOut)
{
    const Route route = loadShippedRoute("timeup.route");
    HeadlessGame game(folder / "score.txt");
    play(game, route);

    ASSERT_TRUE(timeUp) << describe(ending);
    EXPECT_FALSE(dead);
    EXPECT_FALSE(won);
    // Time runs out in the first frame past 119 s of play, when the clock shows 0.
    EXPECT_GT(ending.time, 119.0);
    EXPECT_LT(ending.time, 119.0 + 2.0 * frameTime);
    EXPECT_EQ(game.session().attempt().secondsLeft(), 0);
    EXPECT_FALSE(std::filesystem::exists(folder / "score.txt"));
}

} // namespace
