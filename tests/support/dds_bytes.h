#pragma once

#include <cstdint>
#include <string>

// Builds the bytes of a DDS file for tests: the magic, a 124-byte header with only the fields the
// loader reads filled in, and dataSize bytes of block data (a repeating pattern) or the given
// blocks.
struct DdsBytes {
    std::string magic = "DDS ";
    std::uint32_t width = 4;
    std::uint32_t height = 4;
    std::uint32_t linearSize = 8;
    std::string fourCc = "DXT1";
    std::size_t dataSize = 8;
    std::string blocks{}; // when set, the block data instead of the pattern (dataSize unused)

    std::string build() const
    {
        std::string bytes = magic.substr(0, 4) + std::string(124, '\0') + blocks;
        put(bytes, 12, height);
        put(bytes, 16, width);
        put(bytes, 20, linearSize);
        bytes.replace(84, 4, fourCc.substr(0, 4));
        for (std::size_t i = 0; blocks.empty() && i < dataSize; ++i) {
            bytes.push_back(static_cast<char>(i * 37 + 11));
        }
        return bytes;
    }

    // One DXT1 block of a single RGB565 colour.
    static std::string solidDxt1Block(std::uint16_t rgb565)
    {
        std::string block(8, '\0');
        put(block, 0, rgb565 | std::uint32_t{rgb565} << 16);
        return block;
    }

  private:
    static void put(std::string& bytes, std::size_t offset, std::uint32_t value)
    {
        for (int i = 0; i < 4; ++i) {
            bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
        }
    }
};
