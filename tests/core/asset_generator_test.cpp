#include "subprocess/subprocess.h"
#include "support/temp_dir.h"

#include "generated_assets.h"

#include <gtest/gtest.h>

// The build ran the generator into its own assets/ folder; a second run here must write the
// same files byte for byte (nothing depends on time, thread timing or unseeded randomness).
TEST(AssetGenerator, ASecondRunWritesTheSameFilesByteForByte)
{
    const TempDir folder;
    const ProcessResult run =
        runProcess({KORVEL_ASSETGEN, (folder / "assets").string()}, folder.path().string(), 600.0);
    ASSERT_EQ(run.exitStatus, 0) << run.output;

    // Every model, texture and sound of the build, which the other tests read as the game does.
    for (const char* kind : {"models", "textures", "sounds"}) {
        for (const auto& file :
             std::filesystem::directory_iterator(generated::assetFolder() / kind)) {
            const auto name = std::filesystem::path(kind) / file.path().filename();
            EXPECT_TRUE(generated::fileText(file.path()) ==
                        generated::fileText(folder / "assets" / name))
                << name << " differs between runs";
        }
    }
}
