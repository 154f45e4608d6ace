#include "assetgen/noise.h"
#include "assetgen/textures.h"

#include <glm/common.hpp>
#include <glm/geometric.hpp>

#include <algorithm>
#include <cmath>

namespace textures {

Image paint(int width, int height, const std::function<glm::vec3(glm::vec2)>& colour)
{
    Image image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.at(x, y) = glm::vec4(colour(image.uvOf(x, y)), 1.0f);
        }
    }
    return image;
}

namespace {

// Wood seen along the grain: growth rings bent by noise, in a board `rows` boards high.
float grain(glm::vec2 uv, int board, std::uint32_t seed, float rings)
{
    const glm::vec2 stretched(uv.x * 2.0f, uv.y * 24.0f);
    const float bend =
        noise::fractal(stretched, {2, 24}, 4, seed + static_cast<std::uint32_t>(board));
    const float phase = uv.y * rings + bend * 6.0f + static_cast<float>(board) * 0.37f;
    const float ring = 0.5f + 0.5f * std::sin(phase * 6.2831853f);
    const float streak = noise::fractal({uv.x * 4.0f, uv.y * 128.0f}, {4, 128}, 3, seed + 99u);
    return 0.65f * std::pow(ring, 3.0f) + 0.35f * streak;
}

} // namespace

Image floorTiles()
{
    // Four by four glazed tiles, cream and terracotta in a chequer, with grout lines.
    const glm::vec3 cream(0.86f, 0.82f, 0.72f);
    const glm::vec3 terracotta(0.70f, 0.39f, 0.26f);
    const glm::vec3 grout(0.52f, 0.50f, 0.46f);
    constexpr int tiles = 4;
    return paint(512, 512, [&](glm::vec2 uv) {
        const glm::vec2 cell = glm::floor(uv * static_cast<float>(tiles));
        const glm::vec2 inTile = uv * static_cast<float>(tiles) - cell;
        const int cx = static_cast<int>(cell.x), cy = static_cast<int>(cell.y);
        glm::vec3 colour = (cx + cy) % 2 == 0 ? cream : terracotta;
        colour *= 0.94f + 0.1f * noise::random(cx, cy, 3u);
        const float mottling = noise::fractal(uv * 8.0f, {8, 8}, 4, 11u);
        const float speck = noise::value(uv * 128.0f, {128, 128}, 12u);
        colour *= 0.93f + 0.12f * mottling + (speck > 0.82f ? -0.06f : 0.0f);
        const float edge =
            std::min({inTile.x, 1.0f - inTile.x, inTile.y, 1.0f - inTile.y}) * 128.0f;
        if (edge < 2.5f) {
            return grout * (0.9f + 0.2f * speck);
        }
        // The glaze rounds off towards the grout.
        colour *= 0.86f + 0.14f * glm::smoothstep(2.5f, 7.0f, edge);
        return colour;
    });
}

Image plasterWalls()
{
    const glm::vec3 paintColour(0.89f, 0.85f, 0.75f);
    return paint(512, 512, [&](glm::vec2 uv) {
        const float blotches = noise::fractal(uv * 4.0f, {4, 4}, 5, 21u);
        const float trowel =
            std::fabs(noise::fractal({uv.x * 6.0f, uv.y * 3.0f}, {6, 3}, 4, 22u) - 0.5f);
        const float grainy = noise::value(uv * 256.0f, {256, 256}, 23u);
        float shade = 0.92f + 0.1f * blotches + 0.05f * grainy;
        shade -= 0.025f * (1.0f - glm::smoothstep(0.0f, 0.03f, trowel));
        return paintColour * shade;
    });
}

Image counterWood()
{
    // Butcher block: glued strips along u in alternating tones, grain along the strips.
    constexpr int strips = 16;
    return paint(512, 512, [&](glm::vec2 uv) {
        const int strip = std::min(strips - 1, static_cast<int>(uv.y * strips));
        const float tone = noise::random(strip, 0, 31u);
        const glm::vec3 light(0.78f, 0.58f, 0.36f);
        const glm::vec3 dark(0.60f, 0.40f, 0.22f);
        glm::vec3 colour = glm::mix(light, dark, tone * 0.8f);
        const float g = grain(uv, strip, 32u, 48.0f);
        colour *= 0.85f + 0.25f * (1.0f - g);
        const float inStrip = uv.y * strips - static_cast<float>(strip);
        if (inStrip < 0.035f || inStrip > 0.965f) {
            colour *= 0.75f; // glue line
        }
        return colour;
    });
}

Image tableWood()
{
    // Three walnut planks with a dark gap between them and strong figure.
    constexpr int planks = 3;
    return paint(512, 512, [&](glm::vec2 uv) {
        const float position = uv.y * planks;
        const int plank = std::min(planks - 1, static_cast<int>(position));
        const float inPlank = position - static_cast<float>(plank);
        const glm::vec3 light(0.58f, 0.38f, 0.22f);
        const glm::vec3 dark(0.33f, 0.19f, 0.10f);
        const float g = grain(uv, plank, 41u, 18.0f);
        glm::vec3 colour = glm::mix(light, dark, 0.15f + 0.7f * g);
        colour *= 0.92f + 0.16f * noise::random(plank, 1, 42u);
        if (inPlank < 0.012f || inPlank > 0.988f) {
            colour *= 0.45f;
        }
        return colour;
    });
}

Image cabinetPaint()
{
    // Sage-green lacquer over wood: faint vertical grain and brush marks show through.
    const glm::vec3 sage(0.50f, 0.60f, 0.49f);
    return paint(512, 512, [&](glm::vec2 uv) {
        const float grainLines = noise::fractal({uv.x * 96.0f, uv.y * 3.0f}, {96, 3}, 3, 51u);
        const float brush = noise::fractal({uv.x * 24.0f, uv.y * 2.0f}, {24, 2}, 3, 52u);
        const float wear = noise::fractal(uv * 6.0f, {6, 6}, 4, 53u);
        float shade = 0.93f + 0.07f * grainLines + 0.05f * brush;
        glm::vec3 colour = sage * shade;
        if (wear > 0.78f) {
            colour = glm::mix(colour, glm::vec3(0.62f, 0.68f, 0.58f), (wear - 0.78f) * 3.0f);
        }
        return colour;
    });
}

Image brushedSteel()
{
    return paint(512, 512, [](glm::vec2 uv) {
        const float streaks = noise::fractal({uv.x * 2.0f, uv.y * 256.0f}, {2, 256}, 3, 61u);
        const float sheen = noise::fractal(uv * 3.0f, {3, 3}, 3, 62u);
        const float shade = 0.64f + 0.14f * streaks + 0.1f * sheen;
        return glm::vec3(shade * 0.98f, shade, shade * 1.03f);
    });
}

} // namespace textures
