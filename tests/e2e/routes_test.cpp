#include "game_run.h"

// The shipped routes, played once by the real game on its virtual clock. The long routes run in
// a small window: the outcome does not depend on the picture, and llvmpipe's cost does.

TEST(Routes, TheWinningRouteWinsAndTheBestScoreFileKeepsTheBest)
{
    SKIP_WITHOUT_DISPLAY();
    GameFolder game;
    game.window(160, 160);
    ProcessResult run = game.replay({shippedRoute("win.route")});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.output, "outcome: won score=84 best=84\n");
    EXPECT_EQ(game.read("assets/score.txt"), "84"); // the digits alone, no newline

    game.write("assets/score.txt", "119");
    run = game.replay({shippedRoute("win.route")});
    EXPECT_EQ(run.output, "outcome: won score=84 best=119\n");
    EXPECT_EQ(game.read("assets/score.txt"), "119");
}

TEST(Routes, WaitingOutOfReachRunsOutOfTime)
{
    SKIP_WITHOUT_DISPLAY();
    GameFolder game;
    game.window(160, 160);
    const ProcessResult run = game.replay({shippedRoute("timeup.route"), "--until", "121"});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.output, "outcome: timeup\n");
}

// Frames of 3 s carry the attempt to its end long before the knives can reach the start
// (the physics steps 1/60 s a frame), so the time-up screen can be read at full size quickly.
// The message is laid out 940 pixels wide around the centre: a 1000-pixel window shows it all.
TEST(Routes, TheTimeUpScreenSaysSoAndTheTimerStopsAtZero)
{
    SKIP_WITHOUT_DISPLAY();
    GameFolder game;
    game.window(1000, 800);
    game.write("route.txt", "# wait at the start\n");
    const ProcessResult run =
        game.replay({"route.txt", "--frame-time", "3", "--until", "126", "--shot", "126:end.png"});
    EXPECT_TRUE(run.output.ends_with("outcome: timeup\n")) << run.output;
    const std::string screen = game.readText("end.png", "1000x800+0+0");
    EXPECT_NE(screen.find("THE PIZZA WAS SERVED WITHOUT YOU"), std::string::npos) << screen;
    const std::string timer = game.readText("end.png", "260x70+0+0");
    // The reader cannot tell a lone 0 from an O; any other count of seconds fails.
    EXPECT_TRUE(timer.starts_with("0 sec") || timer.starts_with("O sec")) << timer;
}
