#pragma once

#include <glm/vec2.hpp>
#include <glm/vec4.hpp>

#include <cstdint>
#include <vector>

// A picture in linear floating point, painted by the texture synthesis and the light baker and
// turned into 8-bit blocks only when it is encoded. Row 0 is the top row, as stored in a file.
class Image {
  public:
    Image(int width, int height, glm::vec4 fill = glm::vec4(0.0f, 0.0f, 0.0f, 1.0f));

    int width() const { return columns; }
    int height() const { return rows; }

    glm::vec4& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * columns + x]; }
    const glm::vec4& at(int x, int y) const
    {
        return pixels[static_cast<std::size_t>(y) * columns + x];
    }

    // Texture coordinate (u right, v down, both 0..1) of a pixel's centre.
    glm::vec2 uvOf(int x, int y) const
    {
        return {(static_cast<float>(x) + 0.5f) / static_cast<float>(columns),
                (static_cast<float>(y) + 0.5f) / static_cast<float>(rows)};
    }

    // The pixel as four bytes R, G, B, A, each clamped to 0..1 first.
    std::uint32_t packedAt(int x, int y) const;

  private:
    int columns;
    int rows;
    std::vector<glm::vec4> pixels;
};
