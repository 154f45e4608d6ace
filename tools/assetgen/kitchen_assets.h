#pragma once

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

std::vector<AssetRecipe> kitchenAssets();

// Makes every asset and writes it below assetDir, creating folders. Uses up to `threads`
// threads. Throws on a write failure.
void writeKitchenAssets(const std::filesystem::path& assetDir, unsigned threads);
