#include "assetgen/noise.h"

#include <glm/geometric.hpp>

#include <algorithm>
#include <cmath>

namespace noise {

namespace {

std::int32_t wrap(std::int32_t value, std::int32_t period)
{
    const std::int32_t rest = value % period;
    return rest < 0 ? rest + period : rest;
}

float smooth(float t)
{
    return t * t * (3.0f - 2.0f * t);
}

} // namespace

std::uint32_t hash(std::int32_t x, std::int32_t y, std::uint32_t seed)
{
    std::uint32_t h = seed * 0x9E3779B9u;
    h ^= static_cast<std::uint32_t>(x) * 0x85EBCA6Bu;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<std::uint32_t>(y) * 0xC2B2AE35u;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

float random(std::int32_t x, std::int32_t y, std::uint32_t seed)
{
    return static_cast<float>(hash(x, y, seed) >> 8) / 16777216.0f;
}

float value(glm::vec2 p, glm::ivec2 period, std::uint32_t seed)
{
    const float cellX = std::floor(p.x);
    const float cellY = std::floor(p.y);
    const float tx = smooth(p.x - cellX);
    const float ty = smooth(p.y - cellY);
    const auto x0 = wrap(static_cast<std::int32_t>(cellX), period.x);
    const auto y0 = wrap(static_cast<std::int32_t>(cellY), period.y);
    const auto x1 = wrap(x0 + 1, period.x);
    const auto y1 = wrap(y0 + 1, period.y);
    const float top = random(x0, y0, seed) + (random(x1, y0, seed) - random(x0, y0, seed)) * tx;
    const float bottom = random(x0, y1, seed) + (random(x1, y1, seed) - random(x0, y1, seed)) * tx;
    return top + (bottom - top) * ty;
}

float fractal(glm::vec2 p, glm::ivec2 period, int octaves, std::uint32_t seed)
{
    float sum = 0.0f;
    float amplitude = 1.0f;
    float total = 0.0f;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += amplitude * value(p, period, seed + static_cast<std::uint32_t>(octave) * 7919u);
        total += amplitude;
        amplitude *= 0.5f;
        p *= 2.0f;
        period *= 2;
    }
    return sum / total;
}

float cellDistance(glm::vec2 p, glm::ivec2 period, std::uint32_t seed)
{
    const float cellX = std::floor(p.x);
    const float cellY = std::floor(p.y);
    float nearest = 4.0f;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const auto x = static_cast<std::int32_t>(cellX) + dx;
            const auto y = static_cast<std::int32_t>(cellY) + dy;
            const auto wx = wrap(x, period.x);
            const auto wy = wrap(y, period.y);
            const glm::vec2 point(static_cast<float>(x) + random(wx, wy, seed),
                                  static_cast<float>(y) + random(wx, wy, seed ^ 0x5bd1e995u));
            nearest = std::min(nearest, glm::length(point - p));
        }
    }
    return nearest;
}

} // namespace noise
