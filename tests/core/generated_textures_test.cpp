// The kitchen's generated textures, parsed by the game's DDS reader, decoded and looked at.
#include "generated_assets.h"

#include <gtest/gtest.h>

#include <glm/gtx/component_wise.hpp>

// The mean colour of the texture's columns left of u.
static glm::vec3 mean(const generated::Texture& texture, float u)
{
    glm::vec3 sum(0.0f);
    float count = 0.0f;
    for (std::size_t i = 0; i < texture.pixels.size(); ++i) {
        const bool left = i % texture.header.width < u * texture.header.width;
        sum += left ? texture.pixels[i] : glm::vec3(0.0f);
        count += left;
    }
    return sum / count;
}

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
        EXPECT_TRUE(texture->header.width == size && texture->header.height == size) << file;
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

// What the encoder keeps of a material's colours is what the player sees of them.
TEST(GeneratedTextures, ShowTheColoursOfTheirMaterials)
{
    const auto book = generated::texture("book_red_tex.dds");
    const auto steel = generated::texture("sink_tex.dds");
    ASSERT_TRUE(book && steel);
    const glm::vec3 cover = mean(*book, 0.6f), grey = mean(*steel, 1.0f);
    EXPECT_GT(cover.r, 2 * std::max(cover.g, cover.b)); // red cloth
    EXPECT_GT(grey.g, 0.5f); // brushed steel: a light, nearly colourless grey
    EXPECT_LT(glm::compMax(grey) - glm::compMin(grey), 0.05f);
}
