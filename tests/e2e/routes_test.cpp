#include "screen_reading.h"

#include "support/subprocess.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {

std::string routePath(const std::string& name)
{
    return std::string(KORVEL_SOURCE_DIR) + "/routes/" + name;
}

// The committed routes, played by the real game on the replay driver. Long routes run in a
// small window: the outcome does not depend on the picture, and llvmpipe's cost does.
class Routes : public ::testing::Test {
  protected:
    void SetUp() override
    {
        if (std::getenv("DISPLAY") == nullptr) {
            GTEST_SKIP() << "needs a display (the test command runs this under xvfb-run)";
        }
        folder.copyBuiltAssets();
    }

    void useWindow(int width, int height)
    {
        folder.write("assets/settings.ini", "[window]\nwidth = " + std::to_string(width) +
                                                "\nheight = " + std::to_string(height) + "\n");
    }

    ProcessResult replay(const std::vector<std::string>& arguments)
    {
        std::vector<std::string> argv{KORVEL_REPLAY};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        return runProcess(argv, folder.path().string(), 600);
    }

    TempDir folder;
};

// "outcome: won score=N best=B" as the last line -> N and B, or -1 when it is not there.
std::pair<int, int> wonScore(const std::string& output)
{
    const size_t start = output.rfind("outcome: ");
    int score = -1;
    int best = -1;
    char end = 0;
    if (start == std::string::npos ||
        std::sscanf(output.c_str() + start, "outcome: won score=%d best=%d%c", &score, &best,
                    &end) != 3 ||
        end != '\n' || output.size() != output.find('\n', start) + 1) {
        return {-1, -1};
    }
    return {score, best};
}

} // namespace

TEST_F(Routes, TheWinningRouteWinsAndTheBestScoreFileFollows)
{
    useWindow(160, 160);
    const ProcessResult first = replay({routePath("win.route")});
    ASSERT_EQ(first.exitStatus, 0) << first.output;
    const auto [score, best] = wonScore(first.output);
    ASSERT_GE(score, 75) << first.output;
    EXPECT_EQ(best, score); // no stored best: the win is the new best
    EXPECT_EQ(folder.read("assets/score.txt"), std::to_string(score)); // no newline

    folder.write("assets/score.txt", "12");
    const ProcessResult overLower = replay({routePath("win.route")});
    EXPECT_EQ(wonScore(overLower.output), std::make_pair(score, score)) << overLower.output;
    EXPECT_EQ(folder.read("assets/score.txt"), std::to_string(score));

    folder.write("assets/score.txt", "119");
    const ProcessResult underHigher = replay({routePath("win.route")});
    EXPECT_EQ(wonScore(underHigher.output), std::make_pair(score, 119)) << underHigher.output;
    EXPECT_EQ(folder.read("assets/score.txt"), "119");
}

TEST_F(Routes, WaitingOutOfReachRunsOutOfTime)
{
    useWindow(160, 160);
    const ProcessResult result = replay({routePath("timeup.route"), "--until", "121"});
    ASSERT_EQ(result.exitStatus, 0) << result.output;
    EXPECT_NE(result.output.find("outcome: timeup\n"), std::string::npos) << result.output;
}

// 40 frames of 3 s carry the attempt to its end long before the knives can reach the start
// (the physics steps 1/60 s a frame), so the time-up screen can be read at full size quickly.
// The message is laid out 940 pixels wide around the centre: a 1000-pixel window shows it all.
TEST_F(Routes, TheTimeUpScreenSaysSoAndTheTimerStopsAtZero)
{
    useWindow(1000, 800);
    folder.write("route.txt", "# wait at the start\n");
    const ProcessResult result =
        replay({"route.txt", "--frame-time", "3", "--until", "126", "--shot", "126:timeup.png"});
    ASSERT_EQ(result.exitStatus, 0) << result.output;
    EXPECT_NE(result.output.find("outcome: timeup\n"), std::string::npos) << result.output;
    const std::string shot = (folder / "timeup.png").string();
    const std::string screen = readText(shot, "1000x800+0+0", folder.path());
    EXPECT_NE(screen.find("THE PIZZA WAS SERVED WITHOUT YOU"), std::string::npos) << screen;
    const std::string timer = readText(shot, "260x70+0+0", folder.path());
    // The reader cannot tell a lone 0 from an O; any other count of seconds fails.
    EXPECT_TRUE(timer.rfind("0 sec", 0) == 0 || timer.rfind("O sec", 0) == 0) << timer;
}
