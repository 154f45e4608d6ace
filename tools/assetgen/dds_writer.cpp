#include "assetgen/dds_writer.h"

#include "assetgen/dxt_encoder.h"

#include <array>

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

} // namespace

std::vector<std::uint8_t> ddsFileBytes(const Image& image)
{
    const std::vector<std::uint8_t> blocks = dxt::encodeDxt1(image);
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
