#include "support/subprocess.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

ProcessResult runGameIn(const TempDir& folder, double timeout = 20.0)
{
    return runProcess({KORVEL_GAME}, folder.path().string(), timeout);
}

bool haveDisplay()
{
    return std::getenv("DISPLAY") != nullptr;
}

} // namespace

TEST(GameStartup, WithoutSettingsFileItWarnsFailsAndOpensNoWindow)
{
    TempDir folder; // no assets/ at all
    const ProcessResult result = runGameIn(folder);
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.output, "WARNING: assets/settings.ini not found! Using defaults instead.\n"
                             "ERROR: Failed to load 'settings.ini'\n");
    EXPECT_LT(result.seconds, 5.0); // the acknowledgement wait returns at once without a terminal
}

TEST(GameStartup, SettingsWithSyntaxErrorsStillStart)
{
    if (!haveDisplay()) {
        GTEST_SKIP() << "needs a display (the test command runs this under xvfb-run)";
    }
    TempDir folder;
    folder.copyBuiltAssets();
    folder.write("assets/settings.ini",
                 "[window]\nthis line is broken\nwidth = 320\nheight = 240\n");
    // Started, it runs until closed: surviving a few seconds with no failure line is the proof.
    const ProcessResult result = runGameIn(folder, 4.0);
    EXPECT_TRUE(result.timedOut) << result.output;
    EXPECT_EQ(result.output.find("ERROR"), std::string::npos) << result.output;
}
