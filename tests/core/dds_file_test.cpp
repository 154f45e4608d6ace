#include "render/dds_file.h"

#include "support/dds_bytes.h"

#include <gtest/gtest.h>

#include <glm/vec2.hpp>

// The parser sees exactly these bytes in a heap block of their own size, so a read past the end
// is caught by AddressSanitizer.
static std::vector<std::byte> bytes(const std::string& file)
{
    const auto view = std::as_bytes(std::span(file));
    return {view.begin(), view.end()};
}

TEST(DdsFile, DxtFilesGiveTheirFormatAndOnlyTheTopLevelsBlocksAfterTheHeader)
{
    const struct {
        DdsBytes file;
        std::uint32_t format, uploadSize;
    } cases[]{
        {DdsBytes{}, 0x83F1, 8}, // the file every refusal below changes one thing of
        {{.width = 4, .height = 4, .linearSize = 16, .fourCc = "DXT3", .dataSize = 16}, 0x83F2, 16},
        {{.width = 5, .height = 3, .linearSize = 32, .fourCc = "DXT5", .dataSize = 32}, 0x83F3, 32},
        // 8x8 with its 4x4, 2x2 and 1x1 levels stored behind it: 32 + 8 + 8 + 8 bytes.
        {{.width = 8, .height = 8, .linearSize = 56, .dataSize = 56}, 0x83F1, 32}};
    for (const auto& c : cases) {
        const std::vector<std::byte> file = bytes(c.file.build());
        const std::optional<DdsImage> image = parseDds(file);
        ASSERT_TRUE(image) << c.file.fourCc;
        EXPECT_EQ(image->internalFormat, c.format);
        EXPECT_EQ(glm::uvec2(image->width, image->height), glm::uvec2(c.file.width, c.file.height));
        EXPECT_EQ(image->data.data(), file.data() + 128);
        EXPECT_EQ(image->data.size(), c.uploadSize);
    }
}

TEST(DdsFile, BadHeadersSizesAndShortFilesAreRefused)
{
    // Bad magic or format, no size, data shorter than promised (by a byte, by all of it, by
    // 4 GiB), blocks beyond the linear size, and block counts that wrap a 32-bit product.
    // clang-format off
    const DdsBytes refused[]{
        {.magic = std::string("DDS\0", 4)}, {.magic = "dds "}, {.fourCc = "DXT2"}, {.fourCc = "ATI2"},
        {.fourCc = std::string(4, '\0')}, {.width = 0}, {.height = 0},
        {.width = 8, .height = 8, .linearSize = 64, .dataSize = 63}, {.dataSize = 0},
        {.linearSize = 0xFFFFFFFFu}, {.width = 16, .height = 16, .linearSize = 8, .dataSize = 128},
        {.width = 0xFFFFFFFFu, .height = 0xFFFFFFFFu, .linearSize = 16, .dataSize = 16},
        {.width = 0x40000000u, .height = 0x40000000u}};
    // clang-format on
    for (std::size_t i = 0; i < std::size(refused); ++i) {
        EXPECT_FALSE(parseDds(bytes(refused[i].build()))) << "case " << i;
    }
    const std::string whole = DdsBytes{}.build();
    for (const std::size_t length : {0, 3, 4, 87, 127}) {
        EXPECT_FALSE(parseDds(bytes(whole.substr(0, length)))) << "header cut to " << length;
    }
}
