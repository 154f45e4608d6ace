#include "support/subprocess.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

ProcessResult replay(const TempDir& folder, const std::vector<std::string>& arguments,
                     double timeout = 120.0)
{
    std::vector<std::string> argv{KORVEL_REPLAY};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return runProcess(argv, folder.path().string(), timeout);
}

std::string lastLine(const std::string& output)
{
    const size_t end = output.find_last_not_of('\n');
    if (end == std::string::npos) {
        return "";
    }
    const size_t start = output.find_last_of('\n', end);
    return output.substr(start == std::string::npos ? 0 : start + 1,
                         end - (start == std::string::npos ? 0 : start + 1) + 1);
}

class Replay : public ::testing::Test {
  protected:
    void SetUp() override
    {
        if (std::getenv("DISPLAY") == nullptr) {
            GTEST_SKIP() << "needs a display (the test command runs this under xvfb-run)";
        }
        folder.copyBuiltAssets();
    }
    TempDir folder;
};

} // namespace

TEST(ReplayArguments, AMalformedRouteLineIsRefusedWithItsNumber)
{
    TempDir folder;
    folder.write("route.txt", "# fine\n0 W press\n1.0 W jump\n");
    const ProcessResult result = replay(folder, {"route.txt"}, 20);
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(result.output, ""); // the refusal goes to standard error; nothing was started
}

TEST(ReplayArguments, UnknownOptionsAndMissingRoutesAreUsageErrors)
{
    TempDir folder;
    EXPECT_EQ(replay(folder, {}, 20).exitStatus, 2);
    EXPECT_EQ(replay(folder, {"absent.txt"}, 20).exitStatus, 2);
    folder.write("route.txt", "");
    EXPECT_EQ(replay(folder, {"route.txt", "--bogus"}, 20).exitStatus, 2);
    EXPECT_EQ(replay(folder, {"route.txt", "--shot", "nocolon"}, 20).exitStatus, 2);
}

TEST_F(Replay, RunsUntilTheAskedTimeAndWritesScreenshots)
{
    folder.write("route.txt", "");
    const ProcessResult result =
        replay(folder, {"route.txt", "--until", "0.5", "--shot", "0.25:shot.png"});
    EXPECT_EQ(result.exitStatus, 0) << result.output;
    EXPECT_EQ(lastLine(result.output), "outcome: playing") << result.output;
    const std::filesystem::path shot = folder / "shot.png";
    ASSERT_TRUE(std::filesystem::exists(shot));
    EXPECT_GT(std::filesystem::file_size(shot), 1000u);
}

TEST_F(Replay, EscapeInTheRouteEndsTheRun)
{
    // 30 s of game time would be 1800 frames; Escape ends it after 12, well inside the timeout.
    folder.write("route.txt", "0.1 ESCAPE press\n0.2 ESCAPE release\n");
    const ProcessResult result = replay(folder, {"route.txt", "--until", "30"}, 90);
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.exitStatus, 0) << result.output;
    EXPECT_EQ(lastLine(result.output), "outcome: playing");
}
