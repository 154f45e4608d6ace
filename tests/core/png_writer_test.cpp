#include "render/png_writer.h"

#include "support/subprocess.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

// ImageMagick is the independent reader: if it decodes our file to the same pixels, the
// encoder is right.
TEST(PngWriter, ImageMagickReadsBackTheSamePixelsTopRowFirst)
{
    if (!std::filesystem::exists("/usr/bin/convert")) {
        GTEST_SKIP() << "ImageMagick is installed by tools/setup.sh";
    }
    TempDir folder;
    // 2x2, bottom row first: bottom = red, green; top = blue, white.
    const std::vector<std::uint8_t> pixels{255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
    const std::string file = (folder / "shot.png").string();
    ASSERT_TRUE(writePng(file, 2, 2, pixels));
    const ProcessResult result =
        runProcess({"/usr/bin/convert", file, "-depth", "8", "txt:-"}, folder.path().string(), 20);
    ASSERT_EQ(result.exitStatus, 0);
    EXPECT_NE(result.output.find("0,0: (0,0,255)"), std::string::npos) << result.output;
    EXPECT_NE(result.output.find("1,0: (255,255,255)"), std::string::npos) << result.output;
    EXPECT_NE(result.output.find("0,1: (255,0,0)"), std::string::npos) << result.output;
    EXPECT_NE(result.output.find("1,1: (0,255,0)"), std::string::npos) << result.output;
}

TEST(PngWriter, LargeImagesSpanSeveralStoredBlocks)
{
    TempDir folder;
    const int width = 300;
    const int height = 200; // 180 kB of rows: three stored blocks
    std::vector<std::uint8_t> pixels(static_cast<size_t>(width) * height * 3);
    for (size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = static_cast<std::uint8_t>(i * 7);
    }
    const std::string file = (folder / "big.png").string();
    ASSERT_TRUE(writePng(file, width, height, pixels));
    if (!std::filesystem::exists("/usr/bin/identify")) {
        GTEST_SKIP();
    }
    const ProcessResult result =
        runProcess({"/usr/bin/identify", "-format", "%w %h", file}, folder.path().string(), 20);
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.output, "300 200");
}

TEST(PngWriter, RefusesTooFewPixels)
{
    TempDir folder;
    EXPECT_FALSE(writePng((folder / "x.png").string(), 4, 4, std::vector<std::uint8_t>(10)));
    EXPECT_FALSE(writePng((folder / "x.png").string(), 0, 4, {}));
}
