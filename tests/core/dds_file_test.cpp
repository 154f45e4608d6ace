#include "render/dds_file.h"

#include "support/dds_bytes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

// The parser sees exactly these bytes in a heap block of their own size, so a read past the end
// is caught by AddressSanitizer.
struct Parsed {
    std::unique_ptr<std::byte[]> storage;
    std::optional<DdsImage> image;
};

Parsed parse(const std::string& file)
{
    Parsed out{std::make_unique<std::byte[]>(file.size()), std::nullopt};
    std::memcpy(out.storage.get(), file.data(), file.size());
    out.image = parseDds(std::span<const std::byte>(out.storage.get(), file.size()));
    return out;
}

} // namespace

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
        {{.width = 8, .height = 8, .linearSize = 56, .dataSize = 56}, 0x83F1, 32},
    };
    for (const auto& c : cases) {
        const Parsed parsed = parse(c.file.build());
        ASSERT_TRUE(parsed.image) << c.file.fourCc;
        EXPECT_EQ(parsed.image->internalFormat, c.format);
        EXPECT_EQ(parsed.image->width, c.file.width);
        EXPECT_EQ(parsed.image->height, c.file.height);
        EXPECT_EQ(parsed.image->data.data(), parsed.storage.get() + 128);
        EXPECT_EQ(parsed.image->data.size(), c.uploadSize);
    }
}

TEST(DdsFile, BadHeadersSizesAndShortFilesAreRefused)
{
    std::vector<std::pair<const char*, std::string>> cases{
        {"magic", DdsBytes{.magic = std::string("DDS\0", 4)}.build()},
        {"lower-case magic", DdsBytes{.magic = "dds "}.build()},
        {"DXT2", DdsBytes{.fourCc = "DXT2"}.build()},
        {"ATI2", DdsBytes{.fourCc = "ATI2"}.build()},
        {"no format", DdsBytes{.fourCc = std::string(4, '\0')}.build()},
        {"zero width", DdsBytes{.width = 0}.build()},
        {"zero height", DdsBytes{.height = 0}.build()},
        {"data shorter than linear size",
         DdsBytes{.width = 8, .height = 8, .linearSize = 64, .dataSize = 63}.build()},
        {"no data", DdsBytes{.dataSize = 0}.build()},
        {"4 GiB promised", DdsBytes{.linearSize = 0xFFFFFFFFu}.build()},
        {"linear size below the blocks",
         DdsBytes{.width = 16, .height = 16, .linearSize = 8, .dataSize = 128}.build()},
        {"block count wrapping 32 bits", DdsBytes{.width = 0xFFFFFFFFu,
                                                  .height = 0xFFFFFFFFu,
                                                  .linearSize = 16,
                                                  .fourCc = "DXT5",
                                                  .dataSize = 16}
                                             .build()},
        {"huge dimensions", DdsBytes{.width = 0x40000000u, .height = 0x40000000u}.build()},
    };
    const std::string whole = DdsBytes{}.build();
    for (const std::size_t length : {0, 3, 4, 87, 127}) {
        cases.emplace_back("header cut short", whole.substr(0, length));
    }
    for (const auto& [name, file] : cases) {
        EXPECT_FALSE(parse(file).image) << name << ", " << file.size() << " bytes";
    }
}
