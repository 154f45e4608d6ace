#include "support/subprocess.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

ProcessResult probe(const TempDir& folder, const std::string& what)
{
    return runProcess({KORVEL_SHADER_PROBE, what}, folder.path().string(), 30.0);
}

} // namespace

TEST(ShaderFileFailure, TheProbeBuildsEveryProgramFromTheGameShaders)
{
    TempDir folder;
    folder.copyBuiltAssets();
    EXPECT_EQ(probe(folder, "particles").output, "built\n");
    EXPECT_EQ(probe(folder, "procedural").exitStatus, 0);
}

TEST(ShaderFileFailure, AMissingParticleOrWaterShaderEndsStartUpWithStatusOne)
{
    const std::pair<const char*, const char*> cases[] = {
        {"particles", "assets/shader/particle.compute"},
        {"particles", "assets/shader/particle.frag"},
        {"procedural", "assets/shader/procedural.vert"},
    };
    for (const auto& [what, file] : cases) {
        TempDir folder;
        folder.copyBuiltAssets();
        std::filesystem::remove(folder / file);
        const ProcessResult result = probe(folder, what);
        EXPECT_EQ(result.exitStatus, 1) << file;
        EXPECT_EQ(result.signal, 0) << file << ": ended by a signal, not an orderly exit";
        EXPECT_EQ(result.output, "Could not open file " + std::string(file) + "\n");
    }
}

TEST(ShaderFileFailure, AShaderThatDoesNotCompileIsReportedWithTheDriversLog)
{
    TempDir folder;
    folder.copyBuiltAssets();
    folder.write("assets/shader/procedural.frag",
                 "#version 430 core\nout vec4 colour;\nvoid main() { colour = nothing; }\n");
    const ProcessResult result = probe(folder, "procedural");
    EXPECT_EQ(result.exitStatus, 1);
    const std::string header = "Failed to compile shader: assets/shader/procedural.frag\n";
    ASSERT_EQ(result.output.substr(0, header.size()), header) << result.output;
    EXPECT_NE(result.output.find("nothing"), std::string::npos) << result.output;
}

TEST(ShaderFileFailure, AComputeShaderThatDoesNotLinkIsReported)
{
    TempDir folder;
    folder.copyBuiltAssets();
    // Compiles, but a compute stage must declare its work-group size to link.
    folder.write("assets/shader/particle.compute", "#version 430 core\nvoid main() {}\n");
    const ProcessResult result = probe(folder, "particles");
    EXPECT_EQ(result.exitStatus, 1);
    const std::string header = "Failed to link shader program:\n";
    EXPECT_EQ(result.output.substr(0, header.size()), header) << result.output;
    EXPECT_GT(result.output.size(), header.size() + 1) << "the driver's log follows";
}
