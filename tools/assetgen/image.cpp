#include "assetgen/image.h"

#include <algorithm>
#include <cmath>

Image::Image(int width, int height, glm::vec4 fill)
    : columns(width), rows(height), pixels(static_cast<std::size_t>(width) * height, fill)
{
}

std::uint32_t Image::packedAt(int x, int y) const
{
    const glm::vec4& colour = at(x, y);
    std::uint32_t packed = 0;
    for (int channel = 0; channel < 4; ++channel) {
        const float value = std::clamp(colour[channel], 0.0f, 1.0f);
        const auto byte = static_cast<std::uint32_t>(std::lround(value * 255.0f));
        packed |= byte << (8 * channel);
    }
    return packed;
}
