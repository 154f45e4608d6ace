#include "game_run.h"

TEST(GameStartup, WithoutSettingsFileItWarnsAndEndsWithStatusOne)
{
    const TempDir folder; // no assets/ at all
    // Standard input is closed, not a terminal: the wait for a key returns at once.
    const ProcessResult run = runProcess({KORVEL_GAME}, folder.path().string(), 120);
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.output, "WARNING: assets/settings.ini not found! Using defaults instead.\n"
                          "ERROR: Failed to load 'settings.ini'\n");
}

// A line the reader cannot parse is passed over: the game starts with the values around it.
TEST(GameStartup, SettingsWithSyntaxErrorsStillStart)
{
    const GameFolder game;
    game.write("assets/settings.ini", "[window]\nthis line is broken\nwidth = 320\nheight = 240\n");
    const ProcessResult run = game.replay({"/dev/null", "--until", "0.2", "--shot", "0.1:s.png"});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.output, "outcome: playing\n");
    // A PNG file gives its width and height, big-endian, from its 17th byte: a 320x240 window.
    EXPECT_EQ(game.read("s.png").substr(16, 8), std::string("\0\0\1\x40\0\0\0\xf0", 8));
}

// korvel-replay refuses a route it cannot play with status 2, before it opens a window, and
// names the line on standard error (kept in a file here); standard output stays empty.
TEST(ReplayArguments, AMalformedRouteLineIsRefusedWithItsNumber)
{
    const GameFolder game;
    game.write("route.txt", "# fine\n0 W press\n1.0 W jump\n");
    EXPECT_EQ(game.shell("'" KORVEL_REPLAY "' route.txt 2>errors.txt; echo status $?"),
              "status 2\n");
    EXPECT_TRUE(game.read("errors.txt").starts_with("route.txt:3: ")) << game.read("errors.txt");
}

// A recording that is cut short or damaged is refused at its line, one of another format
// version by what it is; neither plays.
TEST(ReplayArguments, ACutRecordingOrOneOfAnotherVersionIsRefused)
{
    const GameFolder game;
    game.write("cut.run", "korvel-run 1\nbuild korvel\nattempt 0\nstart 0\np 0 1 0 0 0\n");
    game.write("newer.run", "korvel-run 6\nbuild korvel\n");
    const std::pair<std::string, std::string> refusals[] = {
        {"cut.run", "cut.run:6: the recording ends before its end line\n"},
        {"newer.run", "newer.run:1: recorded in format 6; this build reads formats 1 to 5\n"},
    };
    for (const auto& [file, line] : refusals) {
        EXPECT_EQ(game.shell("'" KORVEL_REPLAY "' " + file + " 2>errors.txt; echo status $?"),
                  "status 2\n");
        EXPECT_EQ(game.read("errors.txt"), line);
    }
}
