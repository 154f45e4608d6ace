#include "render/dds_file.h"

#include "support/dds_bytes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// The parser sees exactly these bytes in a heap block of their own size, so a read past the
// end is caught by AddressSanitizer.
std::optional<DdsImage> parse(const std::string& file, std::vector<std::byte>& storage)
{
    storage.assign(file.size(), std::byte{0});
    if (!file.empty()) {
        std::memcpy(storage.data(), file.data(), file.size());
    }
    return parseDds(std::span<const std::byte>(storage.data(), storage.size()));
}

std::optional<DdsImage> parse(const DdsBytes& file)
{
    static std::vector<std::byte> storage;
    return parse(file.build(), storage);
}

} // namespace

TEST(DdsFileFormats, DxtFourCcsMapToTheirInternalFormatAndBlockSize)
{
    DdsBytes dxt1{.width = 1, .height = 1, .linearSize = 8, .fourCc = "DXT1", .dataSize = 8};
    const std::optional<DdsImage> one = parse(dxt1);
    ASSERT_TRUE(one);
    EXPECT_EQ(one->internalFormat, 0x83F1u);
    EXPECT_EQ(one->blockSize, 8u);
    EXPECT_EQ(one->uploadSize, 8u);

    DdsBytes dxt3{.width = 4, .height = 4, .linearSize = 16, .fourCc = "DXT3", .dataSize = 16};
    const std::optional<DdsImage> three = parse(dxt3);
    ASSERT_TRUE(three);
    EXPECT_EQ(three->internalFormat, 0x83F2u);
    EXPECT_EQ(three->blockSize, 16u);

    DdsBytes dxt5{.width = 5, .height = 3, .linearSize = 32, .fourCc = "DXT5", .dataSize = 32};
    const std::optional<DdsImage> five = parse(dxt5);
    ASSERT_TRUE(five);
    EXPECT_EQ(five->internalFormat, 0x83F3u);
    EXPECT_EQ(five->width, 5u);
    EXPECT_EQ(five->height, 3u);
    EXPECT_EQ(five->uploadSize, 32u); // 2 x 1 blocks of 16 bytes
}

TEST(DdsFileFormats, DataStartsAfterTheHeaderAndHoldsOnlyTheTopLevel)
{
    // An 8x8 DXT1 image with its 4x4, 2x2 and 1x1 levels stored behind it: 32 + 8 + 8 + 8 bytes.
    const DdsBytes file{
        .width = 8, .height = 8, .linearSize = 56, .fourCc = "DXT1", .dataSize = 56};
    std::vector<std::byte> storage;
    const std::optional<DdsImage> image = parse(file.build(), storage);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->uploadSize, 32u);
    EXPECT_EQ(image->data.data(), storage.data() + 128);
    EXPECT_EQ(image->data.size(), 32u);
}

TEST(DdsFileRefusals, MagicMustEndWithASpace)
{
    EXPECT_FALSE(parse(DdsBytes{.magic = std::string("DDS\0", 4)}));
    EXPECT_FALSE(parse(DdsBytes{.magic = "DDSX"}));
    EXPECT_FALSE(parse(DdsBytes{.magic = "dds "}));
    EXPECT_TRUE(parse(DdsBytes{.magic = "DDS "})); // the same file with the right magic
}

TEST(DdsFileRefusals, OnlyTheThreeDxtFormatsAreAccepted)
{
    for (const char* other : {"DXT2", "DXT4", "ATI2", "BC7\0", "\0\0\0\0"}) {
        EXPECT_FALSE(parse(DdsBytes{.fourCc = std::string(other, 4)})) << other;
    }
}

TEST(DdsFileRefusals, EveryHeaderCutShortIsRefused)
{
    const std::string whole = DdsBytes{}.build();
    std::vector<std::byte> storage;
    for (std::size_t length = 0; length < 128; ++length) {
        EXPECT_FALSE(parse(whole.substr(0, length), storage)) << length << " bytes";
    }
}

TEST(DdsFileRefusals, FileEndingBeforeTheLinearSizeIsRefused)
{
    // The header promises 64 bytes, the file holds 63.
    EXPECT_FALSE(parse(DdsBytes{.width = 8, .height = 8, .linearSize = 64, .dataSize = 63}));
    EXPECT_FALSE(parse(DdsBytes{.width = 1, .height = 1, .linearSize = 8, .dataSize = 0}));
    // A header claiming nearly 4 GiB of data behind a 136-byte file.
    EXPECT_FALSE(parse(DdsBytes{.width = 1, .height = 1, .linearSize = 0xFFFFFFFFu}));
}

TEST(DdsFileRefusals, LinearSizeTooSmallForTheDimensionsIsRefused)
{
    // 16x16 DXT1 needs 16 blocks of 8 bytes; the header claims 8 and the file holds 128.
    EXPECT_FALSE(parse(DdsBytes{.width = 16, .height = 16, .linearSize = 8, .dataSize = 128}));
    // Dimensions so large that the block count would wrap a 32-bit product round to little.
    EXPECT_FALSE(parse(DdsBytes{.width = 0xFFFFFFFFu,
                                .height = 0xFFFFFFFFu,
                                .linearSize = 16,
                                .fourCc = "DXT5",
                                .dataSize = 16}));
    EXPECT_FALSE(parse(DdsBytes{.width = 0x40000000u, .height = 0x40000000u, .linearSize = 8}));
}

TEST(DdsFileRefusals, ZeroWidthOrHeightIsRefused)
{
    EXPECT_FALSE(parse(DdsBytes{.width = 0, .height = 4}));
    EXPECT_FALSE(parse(DdsBytes{.width = 4, .height = 0}));
}
