#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

// The top mip level of a block-compressed DDS file, as found in a byte buffer. Parsing touches
// no GL, so the format checks run (and are tested) without a context.
struct DdsImage {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t internalFormat = 0; // GL_COMPRESSED_RGBA_S3TC_DXT{1,3,5}_EXT
    std::uint32_t blockSize = 0;      // bytes per 4x4 block
    std::uint32_t uploadSize = 0;     // bytes of level 0: whole blocks, partial ones rounded up
    std::span<const std::byte> data;  // the first uploadSize bytes after the header
};

inline constexpr std::uint32_t ddsHeaderSize = 128; // magic and the 124-byte header

// The GL internal formats, spelled out so this file needs no GL header.
inline constexpr std::uint32_t ddsFormatDxt1 = 0x83F1;
inline constexpr std::uint32_t ddsFormatDxt3 = 0x83F2;
inline constexpr std::uint32_t ddsFormatDxt5 = 0x83F3;

// Reads a DXT1, DXT3 or DXT5 file held in bytes. Refuses (empty result) a wrong magic, another
// pixel format, a zero width or height, a header cut short, a file shorter than the header's
// linear size, and a linear size too small for the blocks the dimensions need. The result
// points into bytes and never beyond its end.
std::optional<DdsImage> parseDds(std::span<const std::byte> bytes);
