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
    game.write("route.txt", "");
    const ProcessResult run = game.replay({"route.txt", "--until", "0.2", "--shot", "0.1:s.png"});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.output, "outcome: playing\n");
    // A PNG file gives its width and height, big-endian, from its 17th byte: a 320x240 window.
    EXPECT_EQ(game.read("s.png").substr(16, 8), std::string("\0\0\1\x40\0\0\0\xf0", 8));
}

// korvel-replay refuses a route it cannot play with status 2, before it opens a window, and
// names the line on standard error.
TEST(ReplayArguments, AreRefusedWithStatusTwo)
{
    const TempDir folder;
    folder.write("route.txt", "# fine\n0 W press\n1.0 W jump\n");
    const auto replay = [&folder](const std::string& arguments) {
        const std::string command = std::string("exec '") + KORVEL_REPLAY + "' " + arguments;
        return runProcess({"/bin/sh", "-c", command + " 2>errors.txt"}, folder.path().string(),
                          120);
    };
    const ProcessResult refused = replay("route.txt");
    EXPECT_EQ(refused.exitStatus, 2);
    EXPECT_EQ(refused.output, "");
    EXPECT_TRUE(folder.read("errors.txt").starts_with("route.txt:3: "))
        << folder.read("errors.txt");
}
