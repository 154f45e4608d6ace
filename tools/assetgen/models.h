#pragma once

#include "assetgen/chart_atlas.h"
#include "assetgen/mesh.h"

// The thirteen models of the kitchen. Placed models (table, chair, book pile, knife, pizza,
// player) are built round the origin of their placement or actor; the rest in world
// coordinates. Light-mapped models come as chart atlases: their mesh carries the light-map
// coordinates, and the same atlas drives the bake.
namespace models {

Mesh knife();
Mesh player();
Mesh pizza();
Mesh table();
Mesh chair();
Mesh bookPile();
Mesh broom();
Mesh stove();
Mesh sink();

ChartAtlas floor();
// The floor's model leaves out what the cabinets hide: shading it is most of a frame's waste.
Mesh floorMesh(const ChartAtlas& floor);
ChartAtlas counter();
ChartAtlas walls();
ChartAtlas counterCabinets();

} // namespace models
