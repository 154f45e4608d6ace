#include "render/dds_file.h"

#include <cstring>

namespace {

constexpr std::size_t heightOffset = 12;
constexpr std::size_t widthOffset = 16;
constexpr std::size_t linearSizeOffset = 20;
constexpr std::size_t fourCcOffset = 84;

constexpr std::uint32_t fourCc(char a, char b, char c, char d)
{
    return static_cast<std::uint32_t>(static_cast<unsigned char>(a)) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b)) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(c)) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(d)) << 24;
}

// DDS fields are little-endian whatever the machine is.
std::uint32_t readLittleEndian(std::span<const std::byte> bytes, std::size_t offset)
{
    return static_cast<std::uint32_t>(bytes[offset]) |
           static_cast<std::uint32_t>(bytes[offset + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[offset + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}

} // namespace

std::optional<DdsImage> parseDds(std::span<const std::byte> bytes)
{
    if (bytes.size() < ddsHeaderSize) {
        return std::nullopt;
    }
    if (std::memcmp(bytes.data(), "DDS ", 4) != 0) {
        return std::nullopt;
    }

    DdsImage image;
    image.height = readLittleEndian(bytes, heightOffset);
    image.width = readLittleEndian(bytes, widthOffset);
    const std::uint32_t linearSize = readLittleEndian(bytes, linearSizeOffset);

    switch (readLittleEndian(bytes, fourCcOffset)) {
    case fourCc('D', 'X', 'T', '1'):
        image.internalFormat = ddsFormatDxt1;
        image.blockSize = 8;
        break;
    case fourCc('D', 'X', 'T', '3'):
        image.internalFormat = ddsFormatDxt3;
        image.blockSize = 16;
        break;
    case fourCc('D', 'X', 'T', '5'):
        image.internalFormat = ddsFormatDxt5;
        image.blockSize = 16;
        break;
    default:
        return std::nullopt;
    }
    if (image.width == 0 || image.height == 0) {
        return std::nullopt;
    }

    // Each block count is below 2^31, so their product fits 64 bits; comparing it with the
    // number of whole blocks the linear size holds keeps a lying header from wrapping the size
    // round to something small.
    const std::uint64_t blocksWide = (std::uint64_t{image.width} + 3) / 4;
    const std::uint64_t blocksHigh = (std::uint64_t{image.height} + 3) / 4;
    const std::uint64_t blockCount = blocksWide * blocksHigh;
    if (blockCount > linearSize / image.blockSize) {
        return std::nullopt;
    }
    const std::uint64_t uploadSize = blockCount * image.blockSize;
    if (bytes.size() - ddsHeaderSize < linearSize) {
        return std::nullopt;
    }
    image.uploadSize = static_cast<std::uint32_t>(uploadSize); // <= linearSize, so it fits
    image.data = bytes.subspan(ddsHeaderSize, image.uploadSize);
    return image;
}
