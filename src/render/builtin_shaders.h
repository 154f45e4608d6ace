#pragma once

#include <string>
#include <unordered_map>
#include <utility>

// A vertex and a fragment source, in that order, ready for a Shader built from sources.
using ShaderSourcePair = std::pair<std::string, std::string>;

// Ten ready-made GLSL programs for common lighting models, by name: "color", "cookTorrance",
// "environmentMap", "phongGouraud", "phongGouraudBonus", "phongPhong", "phongPhongBonus",
// "specularMap", "texture" and "textureBonus". They read the mesh layout of Geometry
// (0 position, 1 normal, 2 texture coordinate) and the game's uniform names ("modelMatrix",
// "viewProjMatrix", "normalMatrix", "camera_world", "materialCoefficients", "specularAlpha",
// "dirL"/"pointL", or the light arrays "dLights", "pLights", "spLights" of up to ten lights
// with "numDirectionalLights", "numPointLights", "numSpotLights"). Filled before main runs.
extern const std::unordered_map<std::string, ShaderSourcePair> builtinShaders;
