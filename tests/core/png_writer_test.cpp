#include "render/png_writer.h"
#include "shell/screenshot.h"

#include "subprocess/subprocess.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

// ImageMagick is the independent reader: if it decodes our file to the same pixels, the writer
// is right. The picture is mostly flat, like a frame of the game, so it must come out compressed.
TEST(PngWriter, ImageMagickReadsBackTheSamePixelsTopRowFirst)
{
    const TempDir folder;
    std::vector<std::uint8_t> pixels(300 * 200 * 3, 0); // bottom row first
    pixels[0] = 255;                                    // bottom left: red
    pixels[(199 * 300 + 299) * 3 + 2] = 255;            // top right: blue
    const std::string file = (folder / "shot.png").string();
    ASSERT_TRUE(writePng(file, 300, 200, pixels));
    EXPECT_LT(std::filesystem::file_size(file), pixels.size() / 10);
    EXPECT_FALSE(writePng(file, 4, 4, std::vector<std::uint8_t>(47)));
    EXPECT_FALSE(writePng((folder / "missing/shot.png").string(), 300, 200, pixels));
    const ProcessResult read = runProcess(
        {"/usr/bin/convert", file, "-format",
         "%w %h %[fx:p{0,199}.r] %[fx:p{299,0}.b] %[fx:p{0,199}.b+p{299,0}.r+p{1,1}.g]", "info:"},
        folder.path().string(), 60);
    EXPECT_EQ(read.output, "300 200 1 1 0");
}

TEST(Screenshot, InstalledGamesPutThemWithTheUsersPicturesAndOthersBesideAssets)
{
    const struct {
        ScreenshotEnvironment environment;
        const char* folder;
    } cases[] = {
        {{nullptr, "/p", "/h"}, "screenshots"},
        {{"0", "/p", "/h"}, "screenshots"},
        {{"1", "/p", "/h"}, "/p/korvel"},
        {{"1", nullptr, "/h"}, "/h/Pictures/korvel"},
        {{"1", "pictures", "/h"}, "/h/Pictures/korvel"}, // relative: invalid, ignored
        {{"1", "", nullptr}, "screenshots"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(screenshotFolder(c.environment).string(), c.folder);
    }
}

TEST(Screenshot, TakesTheFirstFreeNumberAndNeverOverwrites)
{
    const TempDir folder;
    folder.write("shots/korvel-0001.png", "mine");
    const std::vector<std::uint8_t> pixels(4 * 4 * 3, 128);
    const auto save = [&](const std::string& into) {
        return saveScreenshot(folder / into, 4, 4, pixels).value_or("none").string();
    };
    EXPECT_EQ(save("shots"), (folder / "shots/korvel-0002.png").string());
    EXPECT_EQ(save("shots"), (folder / "shots/korvel-0003.png").string());
    EXPECT_EQ(folder.read("shots/korvel-0001.png"), "mine");
    EXPECT_EQ(save("shots/korvel-0001.png"), "none"); // a file where the folder should be
}
