// The kitchen's generated textures, parsed by the game's DDS reader, decoded and looked at: the
// size the game expects, the colours of their material, and light maps that shade what they
// should.
#include "physics/level_layout.h"

#include "generated_assets.h"

#include <gtest/gtest.h>

#include <glm/gtx/component_wise.hpp>

#include <functional>

namespace {

// The mean colour of a rectangle (texture coordinates, v down).
glm::vec3 mean(const generated::Texture& texture, glm::vec2 from, glm::vec2 to)
{
    glm::vec3 sum(0.0f);
    int count = 0;
    for (float v = from.y; v < to.y; v += 1.0f / 128.0f) {
        for (float u = from.x; u < to.x; u += 1.0f / 128.0f, ++count) {
            sum += texture.at({u, v});
        }
    }
    return sum / static_cast<float>(count);
}

// The light map's value at a point of a light-mapped model's upward surface.
float lightAt(const std::string& model, const std::string& lightMap, float x, float z)
{
    const auto map = generated::texture(lightMap);
    for (const generated::Triangle& triangle : generated::triangles(model)) {
        const auto w = generated::above(triangle, x, z);
        if (map && w) {
            return map
                ->at((*w)[0] * triangle.uv[0] + (*w)[1] * triangle.uv[1] + (*w)[2] * triangle.uv[2])
                .g;
        }
    }
    ADD_FAILURE() << model << " has no light over " << x << ", " << z;
    return 0.0f;
}

} // namespace

TEST(GeneratedTextures, AreDxt1FilesOfTheSizeTheirDetailNeedsAndLightMapsAreGreyNeverBlack)
{
    const std::pair<const char*, std::uint32_t> files[]{
        {"tam_tex.dds", 512},          {"pizza.dds", 1024},
        {"knife_tex.dds", 512},        {"floor_tex.dds", 512},
        {"wood_counter_tex.dds", 512}, {"table_wood_tex.dds", 512},
        {"walls_tex.dds", 512},        {"counter_cabinets_tex.dds", 512},
        {"book_red_tex.dds", 512},     {"broom_tex.dds", 512},
        {"stove_tex.dds", 1024},       {"sink_tex.dds", 512},
        {"floor_lightmap.dds", 1024},  {"counter_lightmap.dds", 1024},
        {"walls_lightmap.dds", 1024},  {"counter_cabinets_lightmap.dds", 1024}};
    for (const auto& [file, size] : files) {
        const auto texture = generated::texture(file); // nothing unless the game reads DXT1
        ASSERT_TRUE(texture) << file;
        EXPECT_EQ(texture->header.width, size) << file;
        EXPECT_EQ(texture->header.height, size) << file;
        if (std::string(file).ends_with("lightmap.dds")) {
            float darkest = 1.0f, brightest = 0.0f, tint = 0.0f;
            for (const glm::vec3& texel : texture->pixels) {
                darkest = std::min(darkest, texel.g);
                brightest = std::max(brightest, texel.g);
                tint = std::max({tint, std::fabs(texel.r - texel.g), std::fabs(texel.b - texel.g)});
            }
            EXPECT_GT(darkest, 0.15f) << file;
            EXPECT_GT(brightest, 0.9f) << file;
            EXPECT_LT(tint, 0.04f) << file; // 5:6:5 rounding only
        }
    }
}

// What the encoder keeps of a material's colours is what the player sees of it.
TEST(GeneratedTextures, ShowTheColoursOfTheirMaterials)
{
    const auto brown = [](glm::vec3 c) { return c.r > c.g * 1.2f && c.g > c.b * 1.3f; };
    const struct {
        const char* file;
        glm::vec2 to;
        std::function<bool(glm::vec3)> looks;
    } cases[]{
        {"book_red_tex.dds", {0.6f, 1}, [](glm::vec3 c) { return c.r > 2 * std::max(c.g, c.b); }},
        {"wood_counter_tex.dds", {1, 1}, brown},
        {"table_wood_tex.dds", {1, 1}, brown},
        {"sink_tex.dds",
         {1, 1}, // brushed steel: a light, nearly colourless grey
         [](glm::vec3 c) { return c.g > 0.5f && glm::compMax(c) - glm::compMin(c) < 0.05f; }},
    };
    for (const auto& c : cases) {
        const auto texture = generated::texture(c.file);
        ASSERT_TRUE(texture) << c.file;
        const glm::vec3 colour = mean(*texture, {0, 0}, c.to);
        EXPECT_TRUE(c.looks(colour))
            << c.file << ": " << colour.r << ", " << colour.g << ", " << colour.b;
    }
}

TEST(GeneratedTextures, LightMapsShadeWhereTheSolidsBlockTheSun)
{
    // The sun travels along (-1, -1, 0.1): a solid shades the floor and the counters on its -x
    // side, as far out as it stands high. Table 1's top, 21 above the floor, shades the floor
    // about 21 short of it; book pile 1, 7.7 high, shades the first counter run beside it.
    const glm::vec3 table = level::table1.position;
    const float tableEdge = table.x - level::tableHalfExtents.x;
    EXPECT_LT(lightAt("floor", "floor_lightmap.dds", tableEdge - 8.0f, table.z),
              lightAt("floor", "floor_lightmap.dds", tableEdge - 32.0f, table.z) - 0.2f);
    const glm::vec3 pile = level::bookPile1.position;
    EXPECT_LT(lightAt("counter", "counter_lightmap.dds",
                      pile.x - level::bookPileHalfExtents.x - 2.0f, pile.z),
              lightAt("counter", "counter_lightmap.dds", pile.x - 25.0f, pile.z) - 0.2f);
    // Where the counter meets the floor, ambient occlusion darkens the floor a little.
    const float front = level::counterTops[0].offset.z;
    EXPECT_LT(lightAt("floor", "floor_lightmap.dds", 20.0f, front + 6.3f),
              lightAt("floor", "floor_lightmap.dds", 20.0f, front + 14.0f) - 0.05f);
}
