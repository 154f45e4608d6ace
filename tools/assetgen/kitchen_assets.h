#pragma once

#include <glm/vec3.hpp>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// Every generated asset of the kitchen by its path below "assets/" ("models/table.obj",
// "textures/floor_lightmap.dds", ...), with the recipe that makes its bytes. The recipes
// share nothing mutable, so they may run in any order or at the same time and still give the
// same bytes.
struct AssetRecipe {
    std::string path;
    std::function<std::vector<std::uint8_t>()> make;
};

// sunDirection: the way the scene's directional light travels, for the light maps.
std::vector<AssetRecipe> kitchenAssets(glm::vec3 sunDirection);

// Makes every recipe and writes its file below assetDir, creating folders. Uses up to
// `threads` threads. Throws on a write failure.
void writeAssets(const std::vector<AssetRecipe>& recipes, const std::filesystem::path& assetDir,
                 unsigned threads);
