#include "support/subprocess.h"
#include "support/temp_dir.h"

#include "generated_assets.h"

#include <gtest/gtest.h>

// The build ran the generator into its own assets/ folder; a second run here must write the
// same files byte for byte (nothing depends on time, thread timing or unseeded randomness), and
// no other: the build's own files, and the font it copies beside them.
TEST(AssetGenerator, ASecondRunWritesTheSameFilesByteForByte)
{
    const TempDir folder;
    const ProcessResult run =
        runProcess({KORVEL_ASSETGEN, (folder / "assets").string()}, folder.path().string(), 600.0);
    ASSERT_EQ(run.exitStatus, 0) << run.output;

    const auto filesBelow = [](const std::filesystem::path& root) {
        std::vector<std::string> files;
        for (const char* folder : {"models", "textures"}) {
            for (const auto& entry : std::filesystem::directory_iterator(root / folder)) {
                files.push_back(std::filesystem::relative(entry.path(), root).generic_string());
            }
        }
        std::sort(files.begin(), files.end());
        return files;
    };
    // The other tests read every model and texture that the game reads from the build's folder.
    const std::vector<std::string> files = filesBelow(folder / "assets");
    ASSERT_EQ(files, filesBelow(generated::assetFolder()));
    for (const std::string& file : files) {
        EXPECT_TRUE(generated::fileText(folder / "assets" / file) ==
                    generated::fileText(generated::assetFolder() / file))
            << file << " differs between runs";
    }
    EXPECT_EQ(
        generated::fileText(generated::assetFolder() / "fonts/arial.ttf"),
        generated::fileText("/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf"));
}
