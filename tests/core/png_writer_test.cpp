#include "render/png_writer.h"

#include "support/subprocess.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

// ImageMagick is the independent reader: if it decodes our file to the same pixels, the encoder
// is right. 300x200 pixels of rows take more than one stored block.
TEST(PngWriter, ImageMagickReadsBackTheSamePixelsTopRowFirst)
{
    const TempDir folder;
    std::vector<std::uint8_t> pixels(300 * 200 * 3, 0); // bottom row first
    pixels[0] = 255;                                    // bottom left: red
    pixels[(199 * 300 + 299) * 3 + 2] = 255;            // top right: blue
    const std::string file = (folder / "shot.png").string();
    ASSERT_TRUE(writePng(file, 300, 200, pixels));
    EXPECT_FALSE(writePng(file, 4, 4, std::vector<std::uint8_t>(47)));
    const ProcessResult read = runProcess(
        {"/usr/bin/convert", file, "-format",
         "%w %h %[fx:p{0,199}.r] %[fx:p{299,0}.b] %[fx:p{0,199}.b+p{299,0}.r+p{1,1}.g]", "info:"},
        folder.path().string(), 60);
    EXPECT_EQ(read.output, "300 200 1 1 0");
}
