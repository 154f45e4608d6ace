#pragma once

#include <array>
#include <string>

// The kitchen's generated assets by index, with their names from present/kitchen_assets.inc.
namespace assetNames {

#define KORVEL_TEXTURE(index, name)
#define KORVEL_MODEL(index, name) index,
enum ModelIndex {
#include "present/kitchen_assets.inc"
    modelCount
};
#undef KORVEL_MODEL
#define KORVEL_MODEL(index, name) #name,
inline constexpr std::array<const char*, modelCount> modelNames = {
#include "present/kitchen_assets.inc"
};
#undef KORVEL_MODEL
#undef KORVEL_TEXTURE

#define KORVEL_MODEL(index, name)
#define KORVEL_TEXTURE(index, name) index,
enum TextureIndex {
#include "present/kitchen_assets.inc"
    textureCount
};
#undef KORVEL_TEXTURE
#define KORVEL_TEXTURE(index, name) #name,
inline constexpr std::array<const char*, textureCount> textureNames = {
#include "present/kitchen_assets.inc"
};
#undef KORVEL_TEXTURE
#undef KORVEL_MODEL

// A model's file below the assets folder, "models/NAME.obj".
inline std::string modelFile(ModelIndex model)
{
    return std::string("models/") + modelNames[model] + ".obj";
}

// A texture's file name, "NAME.dds" (textures live in the assets folder's "textures/").
inline std::string textureFile(TextureIndex texture)
{
    return std::string(textureNames[texture]) + ".dds";
}

} // namespace assetNames
