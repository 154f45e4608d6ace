#include "support/subprocess.h"
#include "support/temp_dir.h"

#include "generated_assets.h"

#include <gtest/gtest.h>

// The build ran the generator into its own assets/ folder; a second run here must write the
// same files byte for byte (nothing depends on time, thread timing or unseeded randomness), and
// nothing else: every file the game reads, and the font the build copies beside them.
TEST(AssetGenerator, ASecondRunWritesTheSameFilesByteForByte)
{
    const TempDir folder;
    const ProcessResult run =
        runProcess({KORVEL_ASSETGEN, (folder / "assets").string()}, folder.path().string(), 600.0);
    ASSERT_EQ(run.exitStatus, 0) << run.output;

    std::vector<std::string> written;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder / "assets")) {
        if (entry.is_regular_file()) {
            const auto name = std::filesystem::relative(entry.path(), folder / "assets");
            written.push_back(name.generic_string());
            EXPECT_TRUE(generated::fileText(entry.path()) ==
                        generated::fileText(generated::assetFolder() / name))
                << name << " differs between runs";
        }
    }
    std::sort(written.begin(), written.end());
    std::vector<std::string> expected;
    for (const char* model :
         {"knife", "tamboro_game", "pizza", "table", "floor", "counter", "walls",
          "counter_cabinets", "book_pile", "broom", "chair", "stove", "sink"}) {
        expected.push_back(std::string("models/") + model + ".obj");
    }
    for (const char* texture :
         {"tam_tex", "pizza", "knife_tex", "floor_tex", "wood_counter_tex", "table_wood_tex",
          "walls_tex", "counter_cabinets_tex", "book_red_tex", "broom_tex", "stove_tex", "sink_tex",
          "floor_lightmap", "counter_lightmap", "walls_lightmap", "counter_cabinets_lightmap"}) {
        expected.push_back(std::string("textures/") + texture + ".dds");
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(written, expected);
    EXPECT_EQ(
        generated::fileText(generated::assetFolder() / "fonts/arial.ttf"),
        generated::fileText("/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf"));
}
