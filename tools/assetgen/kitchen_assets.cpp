#include "assetgen/kitchen_assets.h"

#include "assetgen/dds_writer.h"
#include "assetgen/kitchen_parts.h"
#include "assetgen/light_baker.h"
#include "assetgen/models.h"
#include "assetgen/obj_writer.h"
#include "assetgen/textures.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <stdexcept>
#include <thread>

namespace {

std::vector<std::uint8_t> bytesOf(const std::string& text)
{
    return {text.begin(), text.end()};
}

AssetRecipe model(const std::string& name, Mesh (*build)())
{
    return {"models/" + name + ".obj", [name, build] { return bytesOf(objText(build(), name)); }};
}

Mesh wholeMesh(const ChartAtlas& atlas)
{
    return atlas.mesh();
}

AssetRecipe lightMapped(const std::string& name, ChartAtlas (*build)(),
                        Mesh (*meshOf)(const ChartAtlas&) = wholeMesh)
{
    return {"models/" + name + ".obj",
            [name, build, meshOf] { return bytesOf(objText(meshOf(build()), name)); }};
}

AssetRecipe texture(const std::string& file, Image (*paint)())
{
    return {"textures/" + file, [paint] { return ddsFileBytes(paint()); }};
}

AssetRecipe lightMap(const std::string& file, ChartAtlas (*build)(), glm::vec3 sunDirection)
{
    return {"textures/" + file, [build, sunDirection] {
                BakeLight light;
                light.sunDirection = sunDirection;
                return ddsFileBytes(bakeLightMap(build(), kitchen::solids(), light));
            }};
}

} // namespace

std::vector<AssetRecipe> kitchenAssets(glm::vec3 sunDirection)
{
    // The light maps come first: they take longest, so threads start on them.
    return {
        lightMap("floor_lightmap.dds", models::floor, sunDirection),
        lightMap("counter_lightmap.dds", models::counter, sunDirection),
        lightMap("walls_lightmap.dds", models::walls, sunDirection),
        lightMap("counter_cabinets_lightmap.dds", models::counterCabinets, sunDirection),
        texture("tam_tex.dds", textures::tamboro),
        texture("pizza.dds", textures::pizza),
        texture("knife_tex.dds", textures::knife),
        texture("floor_tex.dds", textures::floorTiles),
        texture("wood_counter_tex.dds", textures::counterWood),
        texture("table_wood_tex.dds", textures::tableWood),
        texture("walls_tex.dds", textures::plasterWalls),
        texture("counter_cabinets_tex.dds", textures::cabinetPaint),
        texture("book_red_tex.dds", textures::redBook),
        texture("broom_tex.dds", textures::broom),
        texture("stove_tex.dds", textures::stove),
        texture("sink_tex.dds", textures::brushedSteel),
        model("knife", models::knife),
        model("tamboro_game", models::player),
        model("pizza", models::pizza),
        model("table", models::table),
        lightMapped("floor", models::floor, models::floorMesh),
        lightMapped("counter", models::counter),
        lightMapped("walls", models::walls),
        lightMapped("counter_cabinets", models::counterCabinets),
        model("book_pile", models::bookPile),
        model("broom", models::broom),
        model("chair", models::chair),
        model("stove", models::stove),
        model("sink", models::sink),
    };
}

void writeAssets(const std::vector<AssetRecipe>& recipes, const std::filesystem::path& assetDir,
                 unsigned threads)
{
    std::vector<std::vector<std::uint8_t>> results(recipes.size());
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i = next++; i < recipes.size(); i = next++) {
            results[i] = recipes[i].make();
        }
    };
    std::vector<std::thread> helpers;
    for (unsigned i = 1; i < std::max(threads, 1u); ++i) {
        helpers.emplace_back(work);
    }
    work();
    for (std::thread& helper : helpers) {
        helper.join();
    }
    for (std::size_t i = 0; i < recipes.size(); ++i) {
        const std::filesystem::path path = assetDir / recipes[i].path;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(results[i].data()),
                  static_cast<std::streamsize>(results[i].size()));
        if (!out) {
            throw std::runtime_error("cannot write " + path.string());
        }
    }
}
