#include "support/subprocess.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

// Each test breaks one shader file in a copy of the built assets and starts the game there.
class ShaderStartup : public ::testing::Test {
  protected:
    void SetUp() override
    {
        if (std::getenv("DISPLAY") == nullptr) {
            GTEST_SKIP() << "needs a display (the test command runs this under xvfb-run)";
        }
        folder.copyBuiltAssets();
    }

    ProcessResult runGame() const
    {
        return runProcess({KORVEL_GAME}, folder.path().string(), 20.0);
    }

    TempDir folder;
};

bool endsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

} // namespace

TEST_F(ShaderStartup, AMissingShaderFileIsNamedAndEndsTheProgram)
{
    std::filesystem::remove(folder / "assets/shader/texture.frag");
    const ProcessResult result = runGame();
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_TRUE(endsWith(result.output, "Couldn't open shader file: assets/shader/texture.frag\n"))
        << result.output;
}

TEST_F(ShaderStartup, AFragmentCompileErrorNamesTheFragmentFile)
{
    folder.write("assets/shader/texture_lm.frag", "#version 430 core\nvoid main() { oops }\n");
    const ProcessResult result = runGame();
    EXPECT_EQ(result.exitStatus, 1);
    // The textured program before it built; the shared vertex stage compiled again first.
    const std::string header = "Failed to compile shader: texture_lm.frag\n";
    const std::size_t at = result.output.find(header);
    ASSERT_NE(at, std::string::npos) << result.output;
    EXPECT_EQ(result.output.find("Failed"), at) << result.output;
    // Then the compiler's log, which is the last thing printed.
    const std::string log = result.output.substr(at + header.size());
    EXPECT_GT(log.size(), 1u);
    EXPECT_TRUE(endsWith(log, "\n"));
}

TEST_F(ShaderStartup, ALinkErrorPrintsTheLinkLog)
{
    // A vertex stage that compiles but feeds none of the lit fragment stage's inputs.
    folder.write("assets/shader/texture.vert",
                 "#version 430 core\n"
                 "layout(location = 0) in vec3 position;\n"
                 "void main() { gl_Position = vec4(position, 1); }\n");
    const ProcessResult result = runGame();
    EXPECT_EQ(result.exitStatus, 1);
    const std::string header = "Failed to link shader program:\n";
    const std::size_t at = result.output.find(header);
    ASSERT_NE(at, std::string::npos) << result.output;
    // Then the linker's log, naming an input nothing feeds.
    const std::string log = result.output.substr(at + header.size());
    EXPECT_NE(log.find("worldNormal"), std::string::npos) << log;
    EXPECT_TRUE(endsWith(log, "\n"));
}
