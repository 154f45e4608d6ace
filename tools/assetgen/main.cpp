// Writes the kitchen's generated models and textures below the folder given as the first
// argument (the build's assets/ folder). With --timings it makes them one after the other and
// prints how long each took and how big it is.
#include "assetgen/kitchen_assets.h"
#include "assetgen/models.h"

#include "render/lights.h"

#include <chrono>
#include <cstdio>
#include <exception>
#include <string>
#include <thread>

namespace {

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void printTimings(const std::vector<AssetRecipe>& recipes)
{
    for (const AssetRecipe& recipe : recipes) {
        const auto start = std::chrono::steady_clock::now();
        const std::size_t bytes = recipe.make().size();
        std::printf("%-40s %9zu bytes %7.3f s\n", recipe.path.c_str(), bytes, secondsSince(start));
    }
    using Build = ChartAtlas (*)();
    const std::pair<const char*, Build> lightMapped[] = {
        {"floor", models::floor},
        {"counter", models::counter},
        {"walls", models::walls},
        {"counter_cabinets", models::counterCabinets}};
    for (const auto& [name, build] : lightMapped) {
        const ChartAtlas atlas = build();
        std::printf("%-16s light map %4d texels, %3zu charts, %.2f texels per unit\n", name,
                    atlas.size(), atlas.charts().size(), atlas.texelsPerUnit());
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3 || (argc == 3 && std::string(argv[2]) != "--timings")) {
        std::printf("usage: %s ASSET_FOLDER [--timings]\n", argv[0]);
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    const std::vector<AssetRecipe> recipes = kitchenAssets(kitchenDirectionalLight().direction);
    try {
        if (argc == 3) {
            printTimings(recipes);
        }
        writeAssets(recipes, argv[1], std::thread::hardware_concurrency());
    } catch (const std::exception& failure) {
        std::printf("assetgen: %s\n", failure.what());
        return 1;
    }
    std::printf("assetgen: wrote %zu files in %.2f s\n", recipes.size(), secondsSince(start));
    return 0;
}
