#pragma once

#include "assetgen/chart_atlas.h"
#include "assetgen/kitchen_parts.h"
#include "assetgen/mesh.h"

#include <vector>

// The mesh of a level, horizontal chart atlas (the floor) with the parts inside `hidden` left
// out. Each chart is cut on one grid made of every chart's and every hidden area's edges, so
// neighbouring pieces share their corners exactly and no crack opens between them; a piece
// keeps its chart's texture coordinates, so what remains looks exactly as before.
Mesh meshOutside(const ChartAtlas& atlas, const std::vector<kitchen::Area>& hidden);
