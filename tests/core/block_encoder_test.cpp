#include "assetgen/dds_writer.h"
#include "assetgen/dxt_encoder.h"

#include "block_decoding.h"

#include <gtest/gtest.h>

#include <glm/common.hpp>
#include <glm/vec3.hpp>

#include <cmath>
#include <cstring>
#include <stdexcept>

namespace {

float largestError(const Image& image, const block_decoding::Picture& decoded, int channels)
{
    float worst = 0.0f;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            for (int c = 0; c < channels; ++c) {
                worst = std::max(worst, std::fabs(image.at(x, y)[c] - decoded.at(x, y)[c]));
            }
        }
    }
    return worst;
}

std::uint32_t word(const std::vector<std::uint8_t>& bytes, std::size_t offset)
{
    return bytes[offset] | (bytes[offset + 1] << 8) | (bytes[offset + 2] << 16) |
           (static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
}

// A picture whose blocks each hold a four-step colour ramp (which four-colour blocks can hold up
// to the 5:6:5 rounding), a different one in every block, and an alpha ramp of sixteen steps.
Image ramps(int size)
{
    Image image(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float t = static_cast<float>(x % 4) / 3.0f;
            const float alpha = static_cast<float>(x % 4 + 4 * (y % 4)) / 15.0f;
            const glm::vec3 from(0.2f + 0.05f * static_cast<float>(x / 4), 0.5f, 0.1f);
            const glm::vec3 to(0.7f, 0.3f + 0.04f * static_cast<float>(y / 4), 0.6f);
            image.at(x, y) = glm::vec4(glm::mix(from, to, t), alpha);
        }
    }
    return image;
}

} // namespace

TEST(BlockEncoder, Dxt1KeepsColourRampsCloseAndUsesFourColourMode)
{
    const Image image = ramps(16);
    const std::vector<std::uint8_t> blocks = dxt::encodeDxt1(image);
    ASSERT_EQ(blocks.size(), 16u * 8u);
    for (std::size_t block = 0; block < blocks.size(); block += 8) {
        const int first = blocks[block] | (blocks[block + 1] << 8);
        const int second = blocks[block + 2] | (blocks[block + 3] << 8);
        EXPECT_GT(first, second) << "block " << block / 8
                                 << " would decode with a transparent index";
    }
    const auto decoded = block_decoding::decode(blocks.data(), 16, 16, false);
    EXPECT_LT(largestError(image, decoded, 3), 0.03f);
}

TEST(BlockEncoder, FlatColourComesBackAsItsNearest565Value)
{
    const Image image(8, 4, glm::vec4(0.62f, 0.08f, 0.07f, 1.0f));
    const std::vector<std::uint8_t> blocks = dxt::encodeDxt1(image);
    const auto decoded = block_decoding::decode(blocks.data(), 8, 4, false);
    // 5 bits of red: steps of 1/31; 6 of green: 1/63.
    EXPECT_NEAR(decoded.at(5, 2).r, 0.62f, 0.5f / 31.0f + 1e-3f);
    EXPECT_NEAR(decoded.at(5, 2).g, 0.08f, 0.5f / 63.0f + 1e-3f);
    EXPECT_NEAR(decoded.at(5, 2).b, 0.07f, 0.5f / 31.0f + 1e-3f);
    EXPECT_EQ(decoded.at(0, 0), decoded.at(7, 3));
}

TEST(BlockEncoder, Dxt5CarriesAlphaRampsAndFlatAlpha)
{
    const Image image = ramps(8);
    const std::vector<std::uint8_t> blocks = dxt::encodeDxt5(image);
    ASSERT_EQ(blocks.size(), 4u * 16u);
    const auto decoded = block_decoding::decode(blocks.data(), 8, 8, true);
    EXPECT_LT(largestError(image, decoded, 3), 0.03f);
    float worstAlpha = 0.0f;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            worstAlpha = std::max(worstAlpha, std::fabs(image.at(x, y).a - decoded.at(x, y).a));
        }
    }
    EXPECT_LT(worstAlpha, 1.0f / 14.0f + 1e-3f); // half of one of the seven steps

    const Image flat(4, 4, glm::vec4(0.5f, 0.5f, 0.5f, 0.4f));
    const auto flatDecoded = block_decoding::decode(dxt::encodeDxt5(flat).data(), 4, 4, true);
    EXPECT_NEAR(flatDecoded.at(2, 2).a, 0.4f, 0.5f / 255.0f + 1e-4f);
}

TEST(BlockEncoder, RefusesSidesThatAreNotWholeBlocks)
{
    EXPECT_THROW(dxt::encodeDxt1(Image(6, 4)), std::invalid_argument);
    EXPECT_THROW(dxt::encodeDxt5(Image(4, 10)), std::invalid_argument);
}

TEST(DdsWriter, HeaderDescribesTheBlocksThatFollow)
{
    const Image image(8, 12, glm::vec4(0.3f, 0.6f, 0.9f, 1.0f));
    for (const auto& [format, fourCC, blockBytes] :
         {std::tuple{BlockFormat::dxt1, "DXT1", 8u}, std::tuple{BlockFormat::dxt5, "DXT5", 16u}}) {
        const std::vector<std::uint8_t> file = ddsFileBytes(image, format);
        const std::uint32_t dataSize = 2u * 3u * blockBytes;
        ASSERT_EQ(file.size(), 128u + dataSize);
        EXPECT_EQ(std::memcmp(file.data(), "DDS ", 4), 0);
        EXPECT_EQ(word(file, 4), 124u);
        EXPECT_EQ(word(file, 12), 12u); // height before width
        EXPECT_EQ(word(file, 16), 8u);
        EXPECT_EQ(word(file, 20), dataSize);
        EXPECT_EQ(word(file, 76), 32u); // pixel-format block size
        EXPECT_EQ(std::memcmp(file.data() + 84, fourCC, 4), 0);
        const auto decoded =
            block_decoding::decode(file.data() + 128, 8, 12, format == BlockFormat::dxt5);
        EXPECT_NEAR(decoded.at(7, 11).b, 0.9f, 0.02f);
    }
}
