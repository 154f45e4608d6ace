#include "app/game_state.h"
#include "app/headless_game.h"
#include "app/input_state.h"
#include "app/route.h"

#include "support/temp_dir.h"

#include <GLFW/glfw3.h>
#include <glm/geometric.hpp>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>

TEST(RouteParsing, ReadsEventsInFileOrderAndRefusesTheFirstBadLineByItsNumber)
{
    RouteError error;
    const auto route = parseRoute("# warm-up\n\n0 W press\n  1.25 SPACE press   # jump\n"
                                  "1.5 TAB release\n3 F11 release\n",
                                  error);
    ASSERT_TRUE(route.has_value()) << error.message;
    ASSERT_EQ(route->events.size(), 4u);
    EXPECT_EQ(route->events[0].key, GLFW_KEY_W);
    EXPECT_EQ(route->events[1].key, GLFW_KEY_SPACE);
    EXPECT_EQ(route->events[1].action, GLFW_PRESS);
    EXPECT_DOUBLE_EQ(route->events[1].time, 1.25);
    EXPECT_EQ(route->events[1].line, 4);
    EXPECT_EQ(route->events[2].key, GLFW_KEY_TAB);
    EXPECT_EQ(route->events[3].key, GLFW_KEY_F11);
    EXPECT_EQ(route->events[3].action, GLFW_RELEASE);
    EXPECT_EQ(passForTime(0.0249, 1.0 / 60.0), 1); // the nearest pass
    EXPECT_EQ(passForTime(0.0251, 1.0 / 60.0), 2);

    const std::pair<const char*, int> refused[] = {
        {"0 W press\n1 W\n", 2},          // missing action
        {"0 W press\n\n-1 W press\n", 3}, // negative time
        {"x W press\n", 1},               // not a number
        {"1e3 W press\n", 1},             // exponent form is not a plain time
        {"0 W hold\n", 1},                // unknown action
        {"0 CTRL press\n", 1},            // unknown key
        {"0 w press\n", 1},               // key names are upper case
        {"0 F13 press\n", 1},             // F1 to F12 only
        {"0 W press extra\n", 1},         // too many words
    };
    for (const auto& [text, line] : refused) {
        EXPECT_FALSE(parseRoute(text, error).has_value()) << text;
        EXPECT_EQ(error.line, line) << text;
        EXPECT_FALSE(error.message.empty());
    }
}

// The shipped routes in routes/, played through the game's own update at 60 passes a second as
// korvel-replay plays them, until two seconds after the last key event. They are timed to the
// knives, the hazard, the jumps and the clock, so a change to any of these shows here.
namespace {

class ScriptedRoute : public ::testing::Test {
  protected:
    // Notes when and where the attempt first stopped playing; afterPass sees every pass.
    void play(const char* name, const std::function<void(long, bool restarted)>& afterPass = {})
    {
        const auto file = std::filesystem::path(KORVEL_SOURCE_DIR) / "routes" / name;
        RouteError error;
        const Route route = loadRoute(file.string(), error).value_or(Route{});
        ASSERT_FALSE(route.events.empty()) << file << ":" << error.line << ": " << error.message;
        for (const RouteEvent& event : route.events) {
            // Run as a player runs: the V (free jump) and K (dash) cheats are not pressed.
            EXPECT_TRUE(event.key != GLFW_KEY_V && event.key != GLFW_KEY_K) << event.line;
        }
        game.emplace(folder / "score.txt");
        endTime = -1.0;
        game->run(route, frameTime, route.events.back().time + 2.0,
                  [&](long pass, const GameSession::PassResult& result) {
                      lastFoot = result.playerMoved ? result.foot : lastFoot;
                      if (endTime < 0.0 && !attemptPlaying()) {
                          endTime = static_cast<double>(pass + 1) * frameTime;
                          endFoot = lastFoot;
                          endedDeadOnly = dead && !won && !timeUp;
                      }
                      if (afterPass) {
                          afterPass(pass, result.restarted);
                      }
                  });
    }

    static constexpr double frameTime = 1.0 / 60.0;
    TempDir folder;
    std::optional<HeadlessGame> game;
    double endTime = -1.0;
    glm::dvec3 endFoot{0.0};
    glm::dvec3 lastFoot{0.0};
    bool endedDeadOnly = false;
};

} // namespace

// The route checker and these tests play many games in one process: each starts from the
// state a freshly started program has, whatever the game before it left behind.
TEST_F(ScriptedRoute, FallDiesOnTheFloorAndF11PutsThePlayerBackAtTheStartThenAWinScores84)
{
    int secondsShownAtRestart = -1;
    play("fall.route", [&](long pass, bool restarted) {
        if (restarted) {
            EXPECT_NEAR((pass + 1) * frameTime, 4.4, 1.5 * frameTime) << "on F11's release";
            secondsShownAtRestart = attemptPlaying() ? game->session().attempt().secondsLeft() : -1;
        }
    });
    ASSERT_TRUE(endedDeadOnly) << "ended at " << endTime;
    EXPECT_NEAR(endFoot.y, -21.0, 0.1) << "the kitchen's floor";
    EXPECT_GT(endFoot.z, 6.0) << "off the first run's side";
    EXPECT_EQ(secondsShownAtRestart, 120);
    // Two seconds on, the player stands on the first run right below the start.
    EXPECT_TRUE(attemptPlaying());
    EXPECT_NEAR(glm::length(lastFoot), 0.0, 0.01);
    EXPECT_EQ(game->session().attempt().secondsLeft(), 118);

    toon = false; // switched off by the earlier player
    followCamera = false;
    play("win.route");
    ASSERT_TRUE(won) << "ended at " << endTime << ", x " << endFoot.x;
    EXPECT_FALSE(dead || timeUp);
    EXPECT_TRUE(followCamera);
    EXPECT_EQ(game->session().attempt().secondsLeft(), 84);
    EXPECT_GT(endFoot.x, 330.0) << "the pizza lies on table 2";
    EXPECT_EQ(folder.read("score.txt"), "84");
}

TEST_F(ScriptedRoute, TimeUpWaitsOutOfReachUntilTheFirstFramePast119Seconds)
{
    play("timeup.route");
    ASSERT_TRUE(timeUp && !dead && !won) << "ended at " << endTime;
    EXPECT_GT(endTime, 119.0);
    EXPECT_LT(endTime, 119.0 + 2.0 * frameTime);
    EXPECT_FALSE(std::filesystem::exists(folder / "score.txt"));
}
