// A pause in the headless game with the game's run keeper: nothing of the world moves while it
// lasts, and the passes in which nothing was heard, which change nothing, are left out of the
// run. (The end-to-end tests verify a real run with pauses in a fresh process.)

#include "game/input_state.h"
#include "runs/headless_game.h"
#include "runs/run_keeper.h"
#include "runs/run_recording.h"
#include "win_route.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

constexpr double frameTime = 1.0 / 60.0;

} // namespace

// The winning route paused by P at 4.0 s, between two of its legs; fifteen seconds later P
// resumes and the route goes on, every later event fifteen seconds later. In the pause W is let
// go and taken again and Space is tapped: the held run is followed, the jump is not taken, and
// the route still wins.
TEST(Pause, NothingMovesInAPauseAndItsQuietPassesAreLeftOutOfTheRun)
{
    const Route route = winningRoute({.first = {{4.0, "P press"},
                                                {4.01, "P release"},
                                                {10.0, "W release"},
                                                {11.0, "SPACE press"},
                                                {11.1, "SPACE release"},
                                                {12.0, "W press"},
                                                {19.0, "P press"},
                                                {19.05, "P release"}},
                                      .from = 4.05,
                                      .later = 15.05});
    TempDir folder;
    std::ostringstream errors;
    RunKeeper keeper(folder / "score.txt", errors);
    HeadlessGame game(folder / "score.txt");
    game.keepRuns(&keeper);

    std::uint64_t before = 0;
    long frozen = 0;
    long passes = 0;
    float pausedAt = 0.0f;
    glm::dvec3 pausedFoot{0.0};
    AttemptEnd end;
    game.run(route, frameTime, 60.0, [&](long, const PassInput& pass, const PassResult& result) {
        ++passes;
        end = result.attempt;
        const std::uint64_t state = game.session().stateChecksum();
        if (!result.frozen) {
            pausedAt = result.attempt.playTime;
            pausedFoot = result.footAfter;
        } else {
            ++frozen;
            EXPECT_EQ(result.attempt.playTime, pausedAt);
            EXPECT_EQ(result.footAfter, pausedFoot);
            // A quiet pass of a pause leaves every value of the state as it was,
            // which is why a run may leave it out.
            if (pass.events.empty()) {
                EXPECT_EQ(state, before) << passes;
            }
        }
        before = state;
    });
    input = InputState{};
    EXPECT_EQ(errors.str(), "");
    EXPECT_NEAR(static_cast<double>(frozen), 15.05 / frameTime, 2.0);
    EXPECT_TRUE(end.outcome.won);
    EXPECT_EQ(end.score, 84);

    ParseError error;
    const std::optional<RunRecording> last = loadRecording(folder / "last.run", error);
    ASSERT_TRUE(last) << error.line << ": " << error.message;
    // The pause's quiet passes are not in the run: its passes are the played ones and the few
    // of the pause that heard something (the focus, W, Space, P).
    EXPECT_LT(last->passes.size(), static_cast<std::size_t>(passes - frozen + 8));
}
