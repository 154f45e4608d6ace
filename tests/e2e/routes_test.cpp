#include "game_run.h"

// The shipped routes, played once by the real game on its virtual clock. The long routes run in
// a small window: the outcome does not depend on the picture, and llvmpipe's cost does.

TEST(Routes, TheWinningRouteWinsAndTheBestScoreFileKeepsTheBest)
{
    GameFolder game;
    game.window(160, 160);
    ProcessResult run = game.replay({KORVEL_SOURCE_DIR "/routes/win.route"});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.output, "outcome: won score=84 best=84\n");
    EXPECT_EQ(game.read("assets/score.txt"), "84"); // the digits alone, no newline
    // The run that set the best is kept beside it and plays again, pass for pass, to that score;
    // against a better best it wins the same, and the better best stays.
    game.write("assets/score.txt", "119");
    run = game.replay({"assets/best.run"});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.output, "outcome: won score=84 best=119\n");
    EXPECT_EQ(game.read("assets/score.txt"), "119");
}

// The wait does not depend on the frame rate: at 20 frames a second the clock runs out in a
// third of the passes.
TEST(Routes, WaitingOutOfReachRunsOutOfTime)
{
    GameFolder game;
    game.window(160, 160);
    const ProcessResult run = game.replay(
        {KORVEL_SOURCE_DIR "/routes/timeup.route", "--until", "121", "--frame-time", "0.05"});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.output, "outcome: timeup\n");
}
