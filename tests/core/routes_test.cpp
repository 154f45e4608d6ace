#include "game/game_state.h"
#include "game/input_state.h"
#include "physics/physics_actor.h"
#include "runs/headless_game.h"
#include "runs/recording_replay.h"
#include "runs/route.h"
#include "runs/run_check.h"
#include "runs/run_recorder.h"

#include "attempt_runs.h"

#include "support/temp_dir.h"

#include <glm/geometric.hpp>
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The shipped routes below cover well-formed lines; a malformed one is refused by its number.
TEST(RouteParsing, RefusesTheFirstBadLineByItsNumber)
{
    ParseError error;
    const std::pair<const char*, int> refused[] = {
        {"0 W press\n1 W\n", 2},          // missing action
        {"0 W press\n\n-1 W press\n", 3}, // negative time
        {"x W press\n", 1},               // not a number
        {"1e3 W press\n", 1},             // exponent form is not a plain time
        {"0 W hold\n", 1},                // unknown action
        {"0 W repeat\n", 1},              // a repeat is the window's, not a route's
        {"0 CTRL press\n", 1},            // unknown key
        {"0 w press\n", 1},               // key names are upper case
        {"0 F13 press\n", 1},             // F1 to F12 only
        {"0 W press extra\n", 1},         // too many words
        {"1 W press\n0.5 A press\n", 2},  // out of time order
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
    // Notes how, when and where the attempt first stopped playing, and the first restart.
    void play(const char* name)
    {
        const auto file = std::filesystem::path(KORVEL_SOURCE_DIR) / "routes" / name;
        ParseError error;
        const Route route = loadRoute(file.string(), error).value_or(Route{});
        ASSERT_FALSE(route.events.empty()) << file << ":" << error.line << ": " << error.message;
        game.emplace(folder / "score.txt");
        ending = "";
        game->run(route, frameTime, route.events.back().time + 2.0,
                  [&](long pass, const PassInput&, const PassResult& result) {
                      lastFoot = result.playerMoved ? result.foot : lastFoot;
                      if (ending.empty() && !attemptPlaying()) {
                          endTime = static_cast<double>(pass + 1) * frameTime;
                          endFoot = lastFoot;
                          ending = std::string(outcome.dead ? "dead" : "") +
                                   (outcome.won ? "won" : "") + (outcome.timeUp ? "timeUp" : "");
                      }
                      // The knives are put back and thrown again every ten seconds.
                      const glm::vec3 knife = game->knives()[0]->getGlobalPose().position;
                      if (glm::distance(knife, lastKnife) > 3.0f && pass > 0) {
                          knifeThrows.push_back(static_cast<double>(pass + 1) * frameTime);
                      }
                      lastKnife = knife;
                      if (result.restarted && attemptPlaying()) {
                          restartTime = static_cast<double>(pass + 1) * frameTime;
                          secondsAtRestart = game->session().attempt().secondsLeft();
                      }
                  });
    }

    static constexpr double frameTime = 1.0 / 60.0;
    TempDir folder;
    std::optional<HeadlessGame> game;
    std::string ending;
    double endTime = 0.0;
    double restartTime = 0.0;
    int secondsAtRestart = 0;
    glm::dvec3 endFoot{0.0};
    glm::dvec3 lastFoot{0.0};
    glm::vec3 lastKnife{0.0f};
    std::vector<double> knifeThrows;
};

} // namespace

// The route checker and these tests play many games in one process: each starts from the
// state a freshly started program has, whatever the game before it left behind.
TEST_F(ScriptedRoute, FallDiesOnTheFloorAndF11PutsThePlayerBackAtTheStartThenAWinScores84)
{
    play("fall.route");
    EXPECT_EQ(ending, "dead");
    EXPECT_NEAR(endFoot.y, -21.0, 0.1) << "the kitchen's floor";
    EXPECT_NEAR(restartTime, 4.4, 1.5 * frameTime) << "on F11's release";
    EXPECT_EQ(secondsAtRestart, 120);
    // Two seconds on, the player stands on the first run right below the start.
    EXPECT_TRUE(attemptPlaying());
    EXPECT_NEAR(glm::length(lastFoot), 0.0, 0.01);
    EXPECT_EQ(game->session().attempt().secondsLeft(), 118);

    input.toon = false; // switched off by the earlier player
    input.followCamera = false;
    play("win.route");
    EXPECT_EQ(ending, "won") << "at " << endTime << ", x " << endFoot.x;
    EXPECT_TRUE(input.followCamera);
    EXPECT_EQ(game->session().attempt().secondsLeft(), 84);
    EXPECT_GT(endFoot.x, 330.0) << "the pizza lies on table 2";
    EXPECT_EQ(folder.read("score.txt"), "84");
}

TEST_F(ScriptedRoute, TimeUpWaitsOutOfReachUntilTheFirstFramePast119Seconds)
{
    play("timeup.route");
    EXPECT_EQ(ending, "timeUp");
    ASSERT_EQ(knifeThrows.size(), 12u); // and on, past the end of the attempt
    for (std::size_t i = 0; i < knifeThrows.size(); ++i) {
        EXPECT_NEAR(knifeThrows[i], 10.0 * (i + 1), 1.5 * frameTime) << i;
    }
    EXPECT_GT(endTime, 119.0);
    EXPECT_LT(endTime, 119.0 + 2.0 * frameTime);
    EXPECT_FALSE(std::filesystem::exists(folder / "score.txt"));
}
