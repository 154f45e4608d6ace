#include "assetgen/kitchen_assets.h"

#include "assetgen/dds_writer.h"
#include "assetgen/kitchen_parts.h"
#include "assetgen/light_baker.h"
#include "assetgen/models.h"
#include "assetgen/obj_writer.h"
#include "assetgen/sounds.h"
#include "assetgen/textures.h"

#include "audio/sound_names.h"
#include "present/kitchen_asset_names.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <stdexcept>
#include <thread>

using namespace assetNames;

namespace {

std::vector<std::uint8_t> bytesOf(const std::string& text)
{
    return {text.begin(), text.end()};
}

AssetRecipe model(ModelIndex index, Mesh (*build)())
{
    const std::string name = modelNames[index];
    return {modelFile(index), [name, build] { return bytesOf(objText(build(), name)); }};
}

Mesh wholeMesh(const ChartAtlas& atlas)
{
    return atlas.mesh();
}

AssetRecipe lightMapped(ModelIndex index, ChartAtlas (*build)(),
                        Mesh (*meshOf)(const ChartAtlas&) = wholeMesh)
{
    const std::string name = modelNames[index];
    return {modelFile(index),
            [name, build, meshOf] { return bytesOf(objText(meshOf(build()), name)); }};
}

AssetRecipe texture(TextureIndex index, Image (*paint)())
{
    return {"textures/" + textureFile(index), [paint] { return ddsFileBytes(paint()); }};
}

AssetRecipe lightMap(TextureIndex index, ChartAtlas (*build)(), glm::vec3 sunDirection)
{
    return {"textures/" + textureFile(index), [build, sunDirection] {
                BakeLight light;
                light.sunDirection = sunDirection;
                return ddsFileBytes(bakeLightMap(build(), kitchen::solids(), light));
            }};
}

AssetRecipe sound(soundNames::SoundIndex index, PcmSound (*make)())
{
    return {soundNames::soundFile(index), [make] { return wavBytes(make()); }};
}

} // namespace

std::vector<AssetRecipe> kitchenAssets(glm::vec3 sunDirection)
{
    // The light maps come first: they take longest, so threads start on them.
    return {
        lightMap(floorLightMap, models::floor, sunDirection),
        lightMap(counterLightMap, models::counter, sunDirection),
        lightMap(wallsLightMap, models::walls, sunDirection),
        lightMap(cabinetsLightMap, models::counterCabinets, sunDirection),
        texture(playerTexture, textures::tamboro),
        texture(pizzaTexture, textures::pizza),
        texture(knifeTexture, textures::knife),
        texture(floorTexture, textures::floorTiles),
        texture(counterTexture, textures::counterWood),
        texture(tableTexture, textures::tableWood),
        texture(wallsTexture, textures::plasterWalls),
        texture(cabinetsTexture, textures::cabinetPaint),
        texture(booksTexture, textures::redBook),
        texture(broomTexture, textures::broom),
        texture(stoveTexture, textures::stove),
        texture(sinkTexture, textures::brushedSteel),
        model(knifeModel, models::knife),
        model(playerModel, models::player),
        model(pizzaModel, models::pizza),
        model(tableModel, models::table),
        lightMapped(floorModel, models::floor, models::floorMesh),
        lightMapped(counterModel, models::counter),
        lightMapped(wallsModel, models::walls),
        lightMapped(cabinetsModel, models::counterCabinets),
        model(bookPileModel, models::bookPile),
        model(broomModel, models::broom),
        model(chairModel, models::chair),
        model(stoveModel, models::stove),
        model(sinkModel, models::sink),
        sound(soundNames::jumpSound, sounds::jump),
        sound(soundNames::secondJumpSound, sounds::secondJump),
        sound(soundNames::landingSound, sounds::landing),
        sound(soundNames::knifeSound, sounds::knifeWhoosh),
        sound(soundNames::hopSound, sounds::hazardHop),
        sound(soundNames::deathSound, sounds::death),
        sound(soundNames::timeUpSound, sounds::timeUp),
        sound(soundNames::winSound, sounds::win),
        sound(soundNames::tickSound, sounds::tick),
        {soundNames::musicFile(), [] { return wavBytes(sounds::music()); }},
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
