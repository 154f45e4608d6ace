#include "assetgen/dxt_encoder.h"

#include <glm/geometric.hpp>
#include <glm/vec3.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

namespace dxt {

namespace {

using Block = std::array<glm::vec3, 16>; // colours in 0..255

std::uint16_t pack565(glm::vec3 colour)
{
    const auto channel = [](float value, int levels) {
        return static_cast<std::uint16_t>(
            std::lround(std::clamp(value, 0.0f, 255.0f) * static_cast<float>(levels) / 255.0f));
    };
    return static_cast<std::uint16_t>((channel(colour.r, 31) << 11) | (channel(colour.g, 63) << 5) |
                                      channel(colour.b, 31));
}

glm::vec3 unpack565(std::uint16_t packed)
{
    const int r = (packed >> 11) & 31;
    const int g = (packed >> 5) & 63;
    const int b = packed & 31;
    return {static_cast<float>((r << 3) | (r >> 2)), static_cast<float>((g << 2) | (g >> 4)),
            static_cast<float>((b << 3) | (b >> 2))};
}

struct ColourFit {
    std::uint16_t first = 0;
    std::uint16_t second = 0;
    std::uint32_t indices = 0;
    float error = 0.0f;
};

// Indices 0..3 stand for first, second, 2/3 first + 1/3 second, 1/3 first + 2/3 second.
constexpr std::array<float, 4> firstWeight{1.0f, 0.0f, 2.0f / 3.0f, 1.0f / 3.0f};

ColourFit fitIndices(const Block& block, std::uint16_t first, std::uint16_t second)
{
    const glm::vec3 a = unpack565(first);
    const glm::vec3 b = unpack565(second);
    std::array<glm::vec3, 4> palette{};
    for (int i = 0; i < 4; ++i) {
        palette[i] = a * firstWeight[i] + b * (1.0f - firstWeight[i]);
    }
    ColourFit fit{first, second, 0, 0.0f};
    for (int pixel = 0; pixel < 16; ++pixel) {
        int best = 0;
        float bestDistance = 1e30f;
        for (int i = 0; i < 4; ++i) {
            const glm::vec3 d = block[pixel] - palette[i];
            const float distance = glm::dot(d, d);
            if (distance < bestDistance) {
                bestDistance = distance;
                best = i;
            }
        }
        fit.indices |= static_cast<std::uint32_t>(best) << (2 * pixel);
        fit.error += bestDistance;
    }
    return fit;
}

// Orders the endpoints so the decoder stays in four-colour mode (first > second).
ColourFit ordered(ColourFit fit)
{
    if (fit.first > fit.second) {
        return fit;
    }
    if (fit.first == fit.second) {
        fit.indices = 0;
        return fit;
    }
    std::swap(fit.first, fit.second);
    std::uint32_t swapped = 0;
    for (int pixel = 0; pixel < 16; ++pixel) {
        const std::uint32_t index = (fit.indices >> (2 * pixel)) & 3u;
        swapped |= (index ^ 1u) << (2 * pixel); // 0<->1, 2<->3
    }
    fit.indices = swapped;
    return fit;
}

glm::vec3 principalAxis(const Block& block, glm::vec3 mean)
{
    float xx = 0, xy = 0, xz = 0, yy = 0, yz = 0, zz = 0;
    for (const glm::vec3& colour : block) {
        const glm::vec3 d = colour - mean;
        xx += d.x * d.x;
        xy += d.x * d.y;
        xz += d.x * d.z;
        yy += d.y * d.y;
        yz += d.y * d.z;
        zz += d.z * d.z;
    }
    glm::vec3 axis(1.0f, 1.0f, 1.0f);
    for (int iteration = 0; iteration < 8; ++iteration) {
        const glm::vec3 next(xx * axis.x + xy * axis.y + xz * axis.z,
                             xy * axis.x + yy * axis.y + yz * axis.z,
                             xz * axis.x + yz * axis.y + zz * axis.z);
        const float length = glm::length(next);
        if (length < 1e-6f) {
            break;
        }
        axis = next / length;
    }
    return glm::normalize(axis);
}

// Endpoints that minimise the squared error for fixed indices.
bool leastSquares(const Block& block, std::uint32_t indices, glm::vec3& a, glm::vec3& b)
{
    float aa = 0, ab = 0, bb = 0;
    glm::vec3 ax(0.0f), bx(0.0f);
    for (int pixel = 0; pixel < 16; ++pixel) {
        const float wa = firstWeight[(indices >> (2 * pixel)) & 3u];
        const float wb = 1.0f - wa;
        aa += wa * wa;
        ab += wa * wb;
        bb += wb * wb;
        ax += wa * block[pixel];
        bx += wb * block[pixel];
    }
    const float determinant = aa * bb - ab * ab;
    if (std::fabs(determinant) < 1e-6f) {
        return false;
    }
    a = (ax * bb - bx * ab) / determinant;
    b = (bx * aa - ax * ab) / determinant;
    return true;
}

ColourFit encodeColour(const Block& block)
{
    glm::vec3 mean(0.0f);
    for (const glm::vec3& colour : block) {
        mean += colour;
    }
    mean /= 16.0f;
    const glm::vec3 axis = principalAxis(block, mean);
    float low = 1e30f, high = -1e30f;
    for (const glm::vec3& colour : block) {
        const float t = glm::dot(colour - mean, axis);
        low = std::min(low, t);
        high = std::max(high, t);
    }
    const float inset = (high - low) / 32.0f;
    ColourFit best = fitIndices(block, pack565(mean + axis * (high - inset)),
                                pack565(mean + axis * (low + inset)));
    for (int pass = 0; pass < 2; ++pass) {
        glm::vec3 a, b;
        if (!leastSquares(block, best.indices, a, b)) {
            break;
        }
        const ColourFit refined = fitIndices(block, pack565(a), pack565(b));
        if (refined.error >= best.error) {
            break;
        }
        best = refined;
    }
    return ordered(best);
}

void writeColour(const ColourFit& fit, std::vector<std::uint8_t>& out)
{
    out.push_back(static_cast<std::uint8_t>(fit.first & 0xFF));
    out.push_back(static_cast<std::uint8_t>(fit.first >> 8));
    out.push_back(static_cast<std::uint8_t>(fit.second & 0xFF));
    out.push_back(static_cast<std::uint8_t>(fit.second >> 8));
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>((fit.indices >> shift) & 0xFF));
    }
}

} // namespace

std::vector<std::uint8_t> encodeDxt1(const Image& image)
{
    if (image.width() % 4 != 0 || image.height() % 4 != 0) {
        throw std::invalid_argument("block compression needs sides that are multiples of 4");
    }
    std::vector<std::uint8_t> out;
    out.reserve(static_cast<std::size_t>(image.width()) * image.height() / 2);
    for (int blockY = 0; blockY < image.height(); blockY += 4) {
        for (int blockX = 0; blockX < image.width(); blockX += 4) {
            Block block{};
            for (int pixel = 0; pixel < 16; ++pixel) {
                const std::uint32_t packed = image.packedAt(blockX + pixel % 4, blockY + pixel / 4);
                block[pixel] = glm::vec3(static_cast<float>(packed & 0xFF),
                                         static_cast<float>((packed >> 8) & 0xFF),
                                         static_cast<float>((packed >> 16) & 0xFF));
            }
            writeColour(encodeColour(block), out);
        }
    }
    return out;
}

} // namespace dxt
