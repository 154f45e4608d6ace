// The kitchen's generated textures, parsed by the game's DDS reader, decoded and looked at:
// right format and size, the colours of their material, and light maps that agree with the
// models they belong to.
#include "physics/level_layout.h"

#include "generated_assets.h"

#include <gtest/gtest.h>

#include <glm/common.hpp>

#include <algorithm>
#include <functional>

namespace {

const std::vector<std::string> colourTextures{
    "tam_tex.dds",          "pizza.dds",          "knife_tex.dds", "floor_tex.dds",
    "wood_counter_tex.dds", "table_wood_tex.dds", "walls_tex.dds", "counter_cabinets_tex.dds",
    "book_red_tex.dds",     "broom_tex.dds",      "stove_tex.dds", "sink_tex.dds"};
const std::vector<std::string> lightMaps{"floor_lightmap.dds", "counter_lightmap.dds",
                                         "walls_lightmap.dds", "counter_cabinets_lightmap.dds"};

// The share of a rectangle's pixels (texture coordinates, v down) that pass a test.
float share(const generated::Texture& texture, glm::vec2 from, glm::vec2 to,
            const std::function<bool(glm::vec3)>& test)
{
    int passed = 0, total = 0;
    for (float v = from.y; v < to.y; v += 1.0f / 128.0f) {
        for (float u = from.x; u < to.x; u += 1.0f / 128.0f) {
            passed += test(texture.at({u, v}));
            ++total;
        }
    }
    return static_cast<float>(passed) / static_cast<float>(std::max(total, 1));
}

glm::vec3 mean(const generated::Texture& texture, glm::vec2 from, glm::vec2 to)
{
    glm::vec3 sum(0.0f);
    int count = 0;
    for (float v = from.y; v < to.y; v += 1.0f / 128.0f) {
        for (float u = from.x; u < to.x; u += 1.0f / 128.0f) {
            sum += texture.at({u, v});
            ++count;
        }
    }
    return sum / static_cast<float>(std::max(count, 1));
}

// The light map's value at a point of a light-mapped model's upward surface.
float lightAt(const std::string& model, const generated::Texture& lightMap, float x, float z)
{
    for (const generated::Triangle& triangle : generated::triangles(model)) {
        if (triangle.facing().y < 0.99f) {
            continue;
        }
        if (const auto weights = generated::above(triangle, x, z)) {
            const glm::vec2 uv = (*weights)[0] * triangle.uv[0] + (*weights)[1] * triangle.uv[1] +
                                 (*weights)[2] * triangle.uv[2];
            return lightMap.at(uv).g;
        }
    }
    ADD_FAILURE() << model << " has no upward surface over " << x << ", " << z;
    return 0.0f;
}

} // namespace

TEST(GeneratedTextures, AreDxt1FilesOfPowerOfTwoSizeThatTheGameReads)
{
    std::vector<std::string> all = colourTextures;
    all.insert(all.end(), lightMaps.begin(), lightMaps.end());
    for (const std::string& file : all) {
        SCOPED_TRACE(file);
        const auto texture = generated::texture(file);
        ASSERT_TRUE(texture.has_value());
        EXPECT_EQ(texture->internalFormat, ddsFormatDxt1);
        EXPECT_EQ(texture->width, texture->height);
        EXPECT_GE(texture->width, 512u);
        EXPECT_EQ(texture->width & (texture->width - 1), 0u);
    }
}

TEST(GeneratedTextures, ShowTheColoursOfTheirMaterials)
{
    const auto redness = [](glm::vec3 c) { return c.r > 2.0f * c.g && c.r > 2.0f * c.b; };
    // The book's cover (left part) is red cloth.
    const auto book = generated::texture("book_red_tex.dds");
    ASSERT_TRUE(book);
    EXPECT_GT(share(*book, {0.0f, 0.0f}, {0.6f, 1.0f}, redness), 0.8f);

    // The floor: cream and terracotta tiles, about half each.
    const auto floor = generated::texture("floor_tex.dds");
    ASSERT_TRUE(floor);
    const float cream =
        share(*floor, {0, 0}, {1, 1}, [](glm::vec3 c) { return c.r > 0.7f && c.b > 0.55f; });
    const float terracotta =
        share(*floor, {0, 0}, {1, 1}, [](glm::vec3 c) { return c.r > 0.5f && c.b < 0.35f; });
    EXPECT_GT(cream, 0.35f);
    EXPECT_GT(terracotta, 0.35f);

    // Wood is brown: red over green over blue.
    for (const char* wood : {"wood_counter_tex.dds", "table_wood_tex.dds"}) {
        const auto texture = generated::texture(wood);
        ASSERT_TRUE(texture);
        const glm::vec3 average = mean(*texture, {0, 0}, {1, 1});
        EXPECT_GT(average.r, average.g * 1.2f) << wood;
        EXPECT_GT(average.g, average.b * 1.3f) << wood;
    }

    // Steel is a light, nearly colourless grey.
    const auto sink = generated::texture("sink_tex.dds");
    ASSERT_TRUE(sink);
    const glm::vec3 steel = mean(*sink, {0, 0}, {1, 1});
    EXPECT_GT(steel.g, 0.5f);
    EXPECT_LT(std::max({steel.r, steel.g, steel.b}) - std::min({steel.r, steel.g, steel.b}), 0.05f);

    // The stove's hob (top half) is mostly dark glass; the pizza's middle shows sauce and cheese.
    const auto stove = generated::texture("stove_tex.dds");
    ASSERT_TRUE(stove);
    EXPECT_GT(
        share(*stove, {0.05f, 0.05f}, {0.95f, 0.45f}, [](glm::vec3 c) { return c.g < 0.15f; }),
        0.5f);
    const auto pizza = generated::texture("pizza.dds");
    ASSERT_TRUE(pizza);
    EXPECT_GT(share(*pizza, {0.3f, 0.3f}, {0.7f, 0.7f}, redness), 0.1f);
    EXPECT_GT(share(*pizza, {0.3f, 0.3f}, {0.7f, 0.7f},
                    [](glm::vec3 c) { return c.r > 0.8f && c.g > 0.7f && c.b < 0.6f; }),
              0.2f);
}

TEST(GeneratedTextures, LightMapsAreGreyAndNeverBlack)
{
    for (const std::string& file : lightMaps) {
        SCOPED_TRACE(file);
        const auto map = generated::texture(file);
        ASSERT_TRUE(map);
        float darkest = 1.0f, brightest = 0.0f, tint = 0.0f;
        for (const glm::vec4& texel : map->picture.pixels) {
            darkest = std::min(darkest, texel.g);
            brightest = std::max(brightest, texel.g);
            tint = std::max({tint, std::fabs(texel.r - texel.g), std::fabs(texel.b - texel.g)});
        }
        EXPECT_GT(darkest, 0.15f);
        EXPECT_GT(brightest, 0.9f);
        EXPECT_LT(tint, 0.04f); // 5:6:5 rounding only
    }
}

TEST(GeneratedTextures, LightMapsShadeWhereTheSolidsBlockTheSun)
{
    // The sun travels along (-1, -1, 0.1): a solid shades the floor and the counters on its -x
    // side, as far out as it stands high.
    const auto floorMap = generated::texture("floor_lightmap.dds");
    const auto counterMap = generated::texture("counter_lightmap.dds");
    ASSERT_TRUE(floorMap && counterMap);

    // Table 1's top, 21 above the floor, shades the floor about 21 short of it in x.
    const glm::vec3 table = level::table1.position;
    const float shaded =
        lightAt("floor", *floorMap, table.x - level::tableHalfExtents.x - 8.0f, table.z);
    const float open =
        lightAt("floor", *floorMap, table.x - level::tableHalfExtents.x - 32.0f, table.z);
    EXPECT_LT(shaded, open - 0.2f) << "shaded " << shaded << ", open " << open;

    // Book pile 1, 7.7 high, shades the first counter run just short of it.
    const glm::vec3 pile = level::bookPile1.position;
    const float besidePile =
        lightAt("counter", *counterMap, pile.x - level::bookPileHalfExtents.x - 2.0f, pile.z);
    const float alongRun = lightAt("counter", *counterMap, pile.x - 25.0f, pile.z);
    EXPECT_LT(besidePile, alongRun - 0.2f) << "beside " << besidePile << ", along " << alongRun;

    // Where the counter meets the floor, ambient occlusion darkens the floor a little.
    const float atPlinth =
        lightAt("floor", *floorMap, 20.0f, level::counterTops[0].offset.z + 6.3f);
    const float awayFromIt =
        lightAt("floor", *floorMap, 20.0f, level::counterTops[0].offset.z + 14.0f);
    EXPECT_LT(atPlinth, awayFromIt - 0.05f) << "plinth " << atPlinth << ", away " << awayFromIt;
}
