// The replay viewer on a real headless game: a watched run reaches the states of a straight play
// however it is stepped and sought, and a run taken over from it is practice that verifies.

#include "game/input_state.h"
#include "physics/player.h"
#include "runs/headless_game.h"
#include "runs/route_input.h"
#include "runs/run_check.h"
#include "runs/run_keeper.h"
#include "runs/run_viewer.h"
#include "win_route.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

namespace {

std::string fileText(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The winning route played once and kept as the game keeps it, then watched in the same game.
struct WatchedWin : ::testing::Test {
    TempDir folder;
    std::ostringstream errors;
    RunKeeper keeper{folder / "score.txt", errors};
    std::optional<HeadlessGame> game{std::in_place, folder / "score.txt"};
    RunRecording run;
    RunViewer viewer{game->session()};

    void SetUp() override
    {
        game->keepRuns(&keeper);
        game->run(winningRoute(), 1.0 / 60.0, 40.0);
        ParseError error;
        run = loadRecording(folder / "best.run", error).value();
        ASSERT_EQ(viewer.open(run), "");
    }
    void TearDown() override { input = InputState{}; }

    // After the viewer's passes: the recorded foot and the state checksum there.
    std::uint64_t checkedState()
    {
        EXPECT_EQ(playerFoot(),
                  run.passes[static_cast<std::size_t>(viewer.passesPlayed() - 1)].foot)
            << viewer.passesPlayed();
        return game->session().stateChecksum();
    }
};

} // namespace

TEST_F(WatchedWin, SteppingSeekingAndRewindingReachTheStatesOfAStraightPlay)
{
    viewer.step(700); // past five hops of the hazard, which a rewind draws again
    viewer.finishSeek();
    const std::uint64_t at700 = checkedState();
    viewer.seekBy(5.0);
    viewer.finishSeek();
    EXPECT_NEAR(static_cast<double>(viewer.passesPlayed()), 1000.0, 1.0);
    viewer.step(700 - viewer.passesPlayed());
    // Going back plays the run again from its start, a frame's budget of passes at a time.
    for (int frame = 0; viewer.seeking(); ++frame) {
        ASSERT_LT(frame, 1); // 700 passes fit in one frame's budget
        viewer.advance(0.0);
    }
    EXPECT_EQ(viewer.passesPlayed(), 700);
    EXPECT_TRUE(viewer.takeArrival());
    EXPECT_EQ(checkedState(), at700);
    viewer.rewind();
    viewer.step(700);
    viewer.finishSeek();
    EXPECT_EQ(checkedState(), at700);

    // Held, the wall clock plays nothing; at 4x a second plays four of the run's.
    viewer.setHeld(true);
    EXPECT_EQ(viewer.advance(1.0), 0.0);
    viewer.setHeld(false);
    EXPECT_TRUE(viewer.faster() && viewer.faster());
    EXPECT_FALSE(viewer.faster());
    EXPECT_NEAR(viewer.advance(1.0), 4.0, 1.0 / 60.0);

    viewer.seekBy(1000.0); // to the end, as played
    viewer.finishSeek();
    EXPECT_EQ(viewer.passesPlayed(), static_cast<long>(run.passes.size()));
    checkedState();
    EXPECT_EQ(game->session().stateChecksum(), run.checksum);
    EXPECT_EQ(game->session().attempt().playTime, run.end.playTime);
    EXPECT_EQ(keeper.records().entries().size(), 1u); // watching a win is no new record
}

// Taken over two seconds before the pizza, then played on live with the route's W and its last
// jump: a win that is practice, replays to the bit, and changes no record or best run.
TEST_F(WatchedWin, ATakenOverRunIsPracticeThatVerifiesAndIsNeverARecord)
{
    const std::string best = fileText(folder / "best.run");
    viewer.step(2000); // 33.333 s, the last leg
    viewer.finishSeek();
    std::ostringstream log;
    const PassResult handed = viewer.takeOver(keeper, log);
    EXPECT_EQ(log.str(), "Take over: 33.333\nPause: 1\n");
    const std::uint64_t handedState = game->session().stateChecksum();
    EXPECT_FALSE(handed.attempt.outcome.won || handed.attempt.outcome.dead);
    EXPECT_FALSE(viewer.isOpen());
    EXPECT_TRUE(keeper.practising());

    ParseError error;
    const Route route =
        parseRoute("0.2 W press\n0.5 P press\n0.55 P release\n1.6 SPACE press\n1.7 SPACE release\n",
                   error)
            .value();
    RouteInput live(route, 1.0 / 60.0);
    PassInputs inputs(live);
    std::ostringstream toggles;
    for (int pass = 0; pass < 400; ++pass) {
        inputs.begin();
        inputs.drawSample();
        const PassResult result = game->session().update(inputs, toggles);
        EXPECT_FALSE(result.newBest);
        keeper.passEnds(inputs.taken(), result, game->session());
    }
    keeper.loopEnds(game->session());
    EXPECT_TRUE(outcome.won) << game->session().attempt().playTime;
    EXPECT_FALSE(keeper.placed());

    const std::optional<RunRecording> practice = loadRecording(folder / "last.run", error);
    ASSERT_TRUE(practice) << error.line << ": " << error.message;
    EXPECT_TRUE(practice->practice);
    EXPECT_TRUE(practice->end.outcome.won);
    // F11 in practice: the same moment again, exactly.
    EXPECT_TRUE(viewer.retake(keeper, log));
    EXPECT_EQ(game->session().stateChecksum(), handedState);
    EXPECT_TRUE(keeper.practising());
    game.reset(); // a check plays in a world of its own
    EXPECT_EQ(checkRun(*practice).difference, "");
    EXPECT_EQ(fileText(folder / "best.run"), best);
    EXPECT_EQ(keeper.records().entries().size(), 1u);
    EXPECT_EQ(errors.str(), "");
}
