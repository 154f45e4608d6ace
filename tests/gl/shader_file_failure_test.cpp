#include "subprocess/subprocess.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

// The particle and water programs are built from their files outside the Shader class: a
// missing or broken file must still end start-up in order, with its message and status 1.
TEST(ShaderFileFailure, AMissingOrBrokenParticleOrWaterShaderEndsStartUpWithItsMessage)
{
    const struct {
        const char* program;
        const char* file;
        std::optional<std::string> content; // none: the file is removed
        std::string output; // for a broken file the first line, before the driver's log
    } cases[] = {
        {"particles", "assets/shader/particle.compute", {}, ""},
        {"particles", "assets/shader/particle.frag", {}, ""},
        {"procedural", "assets/shader/procedural.vert", {}, ""},
        {"procedural", "assets/shader/procedural.frag",
         "#version 430 core\nout vec4 colour;\nvoid main() { colour = nothing; }\n",
         "Failed to compile shader: assets/shader/procedural.frag\n"},
        // Compiles, but a compute stage must declare its work-group size to link.
        {"particles", "assets/shader/particle.compute", "#version 430 core\nvoid main() {}\n",
         "Failed to link shader program:\n"},
    };
    for (const auto& broken : cases) {
        SCOPED_TRACE(broken.file);
        TempDir folder;
        folder.copyBuiltAssets();
        std::string expected = broken.output;
        if (broken.content) {
            folder.write(broken.file, *broken.content);
        } else {
            std::filesystem::remove(folder / broken.file);
            expected = "Could not open file " + std::string(broken.file) + "\n";
        }
        const ProcessResult result =
            runProcess({KORVEL_SHADER_PROBE, broken.program}, folder.path().string(), 60.0);
        EXPECT_EQ(result.exitStatus, 1) << "an orderly exit, not a signal nor a hang";
        if (broken.content) {
            EXPECT_EQ(result.output.substr(0, expected.size()), expected) << result.output;
            EXPECT_GT(result.output.size(), expected.size() + 1) << "the driver's log follows";
        } else {
            EXPECT_EQ(result.output, expected);
        }
    }
}
