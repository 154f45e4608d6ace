#pragma once

#include <glm/vec4.hpp>

#include <cstddef>
#include <cstdint>
#include <vector>

// A plain S3TC decoder for the tests, written from the format's definition (as a GL driver
// decodes): it checks what the generator's encoder wrote without sharing any of its code.
namespace block_decoding {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<glm::vec4> pixels; // 0..1, row 0 at the top

    const glm::vec4& at(int x, int y) const
    {
        return pixels[static_cast<std::size_t>(y) * width + x];
    }
};

inline glm::vec4 colour565(std::uint16_t packed)
{
    const int r = (packed >> 11) & 31, g = (packed >> 5) & 63, b = packed & 31;
    return {((r << 3) | (r >> 2)) / 255.0f, ((g << 2) | (g >> 4)) / 255.0f,
            ((b << 3) | (b >> 2)) / 255.0f, 1.0f};
}

// Decodes DXT1 (8-byte blocks) or DXT5 (16-byte blocks) data of a width x height picture.
inline Picture decode(const std::uint8_t* data, int width, int height, bool dxt5)
{
    Picture picture{width, height,
                    std::vector<glm::vec4>(static_cast<std::size_t>(width) * height)};
    const int blockBytes = dxt5 ? 16 : 8;
    const int blocksWide = (width + 3) / 4;
    for (int by = 0; by < (height + 3) / 4; ++by) {
        for (int bx = 0; bx < blocksWide; ++bx) {
            const std::uint8_t* block =
                data + (static_cast<std::size_t>(by) * blocksWide + bx) * blockBytes;
            float alpha[16];
            for (float& a : alpha) {
                a = 1.0f;
            }
            if (dxt5) {
                const int a0 = block[0], a1 = block[1];
                std::uint64_t bits = 0;
                for (int i = 0; i < 6; ++i) {
                    bits |= static_cast<std::uint64_t>(block[2 + i]) << (8 * i);
                }
                for (int pixel = 0; pixel < 16; ++pixel) {
                    const int code = static_cast<int>((bits >> (3 * pixel)) & 7);
                    float value = 0.0f;
                    if (code == 0) {
                        value = static_cast<float>(a0);
                    } else if (code == 1) {
                        value = static_cast<float>(a1);
                    } else if (a0 > a1) {
                        value = static_cast<float>((8 - code) * a0 + (code - 1) * a1) / 7.0f;
                    } else if (code < 6) {
                        value = static_cast<float>((6 - code) * a0 + (code - 1) * a1) / 5.0f;
                    } else {
                        value = code == 6 ? 0.0f : 255.0f;
                    }
                    alpha[pixel] = value / 255.0f;
                }
                block += 8;
            }
            const std::uint16_t c0 = static_cast<std::uint16_t>(block[0] | (block[1] << 8));
            const std::uint16_t c1 = static_cast<std::uint16_t>(block[2] | (block[3] << 8));
            const glm::vec4 a = colour565(c0), b = colour565(c1);
            glm::vec4 palette[4] = {a, b, (2.0f * a + b) / 3.0f, (a + 2.0f * b) / 3.0f};
            if (!dxt5 && c0 <= c1) {
                palette[2] = (a + b) * 0.5f;
                palette[3] = glm::vec4(0.0f);
            }
            const std::uint32_t indices = static_cast<std::uint32_t>(block[4]) | (block[5] << 8) |
                                          (block[6] << 16) |
                                          (static_cast<std::uint32_t>(block[7]) << 24);
            for (int pixel = 0; pixel < 16; ++pixel) {
                const int x = bx * 4 + pixel % 4, y = by * 4 + pixel / 4;
                if (x < width && y < height) {
                    glm::vec4 colour = palette[(indices >> (2 * pixel)) & 3];
                    colour.a = dxt5 ? alpha[pixel] : colour.a;
                    picture.pixels[static_cast<std::size_t>(y) * width + x] = colour;
                }
            }
        }
    }
    return picture;
}

} // namespace block_decoding
