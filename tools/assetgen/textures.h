#pragma once

#include "assetgen/image.h"

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

#include <functional>

// The twelve colour textures, painted procedurally. Surfaces that repeat (floor, walls, wood,
// paint) tile seamlessly; object textures follow the maps in texture_layout.h.
namespace textures {

Image floorTiles();
Image plasterWalls();
Image counterWood();
Image tableWood();
Image cabinetPaint();
Image brushedSteel();
Image stove();
Image knife();
Image redBook();
Image broom();
Image pizza();
Image tamboro();

// Paints every pixel from its texture coordinate (u right, v down, pixel centres).
Image paint(int width, int height, const std::function<glm::vec3(glm::vec2)>& colour);

} // namespace textures
