#include "game_run.h"

// The shipped routes, played once by the real game on its virtual clock. The long routes run in
// a small window: the outcome does not depend on the picture, and llvmpipe's cost does.

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

// The race from an empty folder: the first win sets the best score (the digits alone in its
// file) and keeps its splits and starts the records; played again in the default window, each
// split shows level with the first, under the timer as it is taken and in the win screen's
// list, and the score stays. The run that set the best plays again against a better best to the
// same score, and the better best stays.
TEST(Routes, TheWinningRoutePlayedTwiceKeepsItsRecordsAndShowsEverySplitLevel)
{
    GameFolder game;
    game.window(160, 160);
    ProcessResult run = game.replay({KORVEL_SOURCE_DIR "/routes/win.route"});
    ASSERT_EQ(run.output, "outcome: won score=84 best=84\n");
    EXPECT_EQ(game.read("assets/score.txt"), "84");
    const ProcessResult info = game.replay({"--info", "assets/best.run"});
    for (const char* line : {"\nsplit_1: 6.467\n", "\nsplit_3: 15.050\n", "\nsplit_6: 35.633\n"}) {
        EXPECT_NE(info.output.find(line), std::string::npos) << line << " in\n" << info.output;
    }
    const std::string index = game.read("assets/records/records.txt");
    EXPECT_TRUE(index.starts_with("korvel-records 1\n35.633 84 gold 20")) << index;

    game.window(800, 800);
    run = game.replay({KORVEL_SOURCE_DIR "/routes/win.route", "--shot", "12.5:split.png", "--shot",
                       "36.4:won.png"});
    ASSERT_EQ(run.exitStatus, 0) << run.output;
    EXPECT_EQ(game.readOutlined("split.png", "320x30+20+72"), "Split 2 11.783 +0.00\n");
    const std::string splits = game.shell("convert won.png -crop 200x130+12+636 +repage -colorspace"
                                          " gray -threshold 50% -bordercolor white -border 1 -fill"
                                          " black -draw 'color 0,0 floodfill' -shave 1x1 -negate"
                                          " png:- | tesseract - - --psm 6");
    std::size_t level = 0;
    for (std::size_t at = splits.find("+0.00"); at != std::string::npos;
         at = splits.find("+0.00", at + 1)) {
        ++level;
    }
    EXPECT_EQ(level, 6u) << splits;
    EXPECT_EQ(game.readOutlined("won.png", "160x24+12+537"), "Gold medal\n");

    const ProcessResult records = game.replay({"--records"});
    EXPECT_EQ(std::count(records.output.begin(), records.output.end(), '\n'), 3) << records.output;
    EXPECT_TRUE(records.output.starts_with(" 1    35.633   84  Gold medal    ")) << records.output;
    game.write("assets/score.txt", "119");
    EXPECT_EQ(game.replay({"assets/best.run"}).output, "outcome: won score=84 best=119\n");
    EXPECT_EQ(game.read("assets/score.txt"), "119");
}
