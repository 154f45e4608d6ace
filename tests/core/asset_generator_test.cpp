#include "support/subprocess.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// Every file the game reads from the generator, below assets/.
const std::vector<std::string> generatedFiles{
    "models/knife.obj",
    "models/tamboro_game.obj",
    "models/pizza.obj",
    "models/table.obj",
    "models/floor.obj",
    "models/counter.obj",
    "models/walls.obj",
    "models/counter_cabinets.obj",
    "models/book_pile.obj",
    "models/broom.obj",
    "models/chair.obj",
    "models/stove.obj",
    "models/sink.obj",
    "textures/tam_tex.dds",
    "textures/pizza.dds",
    "textures/knife_tex.dds",
    "textures/floor_tex.dds",
    "textures/wood_counter_tex.dds",
    "textures/table_wood_tex.dds",
    "textures/walls_tex.dds",
    "textures/counter_cabinets_tex.dds",
    "textures/book_red_tex.dds",
    "textures/broom_tex.dds",
    "textures/stove_tex.dds",
    "textures/sink_tex.dds",
    "textures/floor_lightmap.dds",
    "textures/counter_lightmap.dds",
    "textures/walls_lightmap.dds",
    "textures/counter_cabinets_lightmap.dds",
};

std::string contents(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// All regular files below a folder, by their path relative to it.
std::vector<std::string> filesBelow(const std::filesystem::path& root)
{
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            files.push_back(std::filesystem::relative(entry.path(), root).generic_string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

// The build ran the generator into its own assets/ folder; a second run here must write the
// same files byte for byte (nothing depends on time, thread timing or unseeded randomness).
TEST(AssetGenerator, ASecondRunWritesTheSameFilesByteForByte)
{
    const TempDir folder;
    const ProcessResult run =
        runProcess({KORVEL_ASSETGEN, (folder / "assets").string()}, folder.path().string(), 120.0);
    ASSERT_EQ(run.exitStatus, 0) << run.output;
    RecordProperty("generator_seconds", std::to_string(run.seconds));

    std::vector<std::string> expected = generatedFiles;
    std::sort(expected.begin(), expected.end());
    ASSERT_EQ(filesBelow(folder / "assets"), expected);
    const std::filesystem::path built = std::filesystem::path(KORVEL_BINARY_DIR) / "assets";
    for (const std::string& file : generatedFiles) {
        const std::string bytes = contents(folder / ("assets/" + file));
        EXPECT_GT(bytes.size(), 1000u) << file;
        EXPECT_TRUE(bytes == contents(built / file)) << file << " differs between runs";
    }
}

TEST(AssetGenerator, TheBuildCopiedTheFontUnderTheNameTheGameReads)
{
    const std::string font =
        contents(std::filesystem::path(KORVEL_BINARY_DIR) / "assets/fonts/arial.ttf");
    EXPECT_EQ(font, contents("/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf"));
    ASSERT_GE(font.size(), 4u);
    EXPECT_EQ(font.substr(0, 4), std::string("\0\1\0\0", 4)); // a TrueType outline font
}

TEST(AssetGenerator, AMissingOrExtraArgumentIsAUsageError)
{
    const TempDir folder;
    const ProcessResult none = runProcess({KORVEL_ASSETGEN}, folder.path(), 10.0);
    EXPECT_EQ(none.exitStatus, 2);
    EXPECT_NE(none.output.find("usage"), std::string::npos);
    const ProcessResult extra = runProcess({KORVEL_ASSETGEN, "a", "b"}, folder.path(), 10.0);
    EXPECT_EQ(extra.exitStatus, 2);
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}
