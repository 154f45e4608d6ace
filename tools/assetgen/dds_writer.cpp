#include "assetgen/dds_writer.h"

#include <squish.h>

#include <array>
#include <stdexcept>

namespace {

constexpr std::uint32_t headerSize = 124;
constexpr std::uint32_t pixelFormatSize = 32;
// Header flags: caps, height, width, pixel format, linear size.
constexpr std::uint32_t headerFlags = 0x1 | 0x2 | 0x4 | 0x1000 | 0x80000;
constexpr std::uint32_t pixelFormatHasFourCC = 0x4;
constexpr std::uint32_t capsTexture = 0x1000;

void putWord(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>((value >> shift) & 0xFF));
    }
}

// Opaque colour, 8 bytes per 4x4 block. libsquish's cluster fit orders a block's colours along
// their principal axis and tries every split of them among the palette entries, keeping the one
// with the least error; the channels weigh the same, so grey light maps are fitted as grey. Each
// block is fitted on its own by the same float steps, so the bytes are the same on every run,
// however the library spreads the blocks over threads.
std::vector<std::uint8_t> compressDxt1(const Image& image)
{
    if (image.width() % 4 != 0 || image.height() % 4 != 0) {
        throw std::invalid_argument("block compression needs sides that are multiples of 4");
    }
    std::vector<std::uint8_t> rgba;
    rgba.reserve(static_cast<std::size_t>(image.width()) * image.height() * 4);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const std::uint32_t packed = image.packedAt(x, y);
            for (int shift = 0; shift < 32; shift += 8) {
                rgba.push_back(static_cast<std::uint8_t>((packed >> shift) & 0xFF));
            }
        }
    }
    const int flags = squish::kDxt1 | squish::kColourClusterFit;
    std::vector<std::uint8_t> blocks(static_cast<std::size_t>(
        squish::GetStorageRequirements(image.width(), image.height(), flags)));
    squish::CompressImage(rgba.data(), image.width(), image.height(), blocks.data(), flags);
    return blocks;
}

} // namespace

std::vector<std::uint8_t> ddsFileBytes(const Image& image)
{
    const std::vector<std::uint8_t> blocks = compressDxt1(image);
    const char* fourCC = "DXT1";

    std::vector<std::uint8_t> out{'D', 'D', 'S', ' '};
    putWord(out, headerSize);
    putWord(out, headerFlags);
    putWord(out, static_cast<std::uint32_t>(image.height()));
    putWord(out, static_cast<std::uint32_t>(image.width()));
    putWord(out, static_cast<std::uint32_t>(blocks.size())); // linear size
    putWord(out, 0);                                         // depth
    putWord(out, 1);                                         // mip levels stored
    for (int reserved = 0; reserved < 11; ++reserved) {
        putWord(out, 0);
    }
    putWord(out, pixelFormatSize);
    putWord(out, pixelFormatHasFourCC);
    out.insert(out.end(), fourCC, fourCC + 4);
    for (int unused = 0; unused < 5; ++unused) { // bit count and the four masks
        putWord(out, 0);
    }
    putWord(out, capsTexture);
    for (int unused = 0; unused < 4; ++unused) { // caps 2..4, reserved
        putWord(out, 0);
    }
    out.insert(out.end(), blocks.begin(), blocks.end());
    return out;
}
