#pragma once

#include "render/bounding_box.h"
#include "render/geometry_data.h"

// The axis-aligned box around a mesh's positions, with the identity placement. A mesh without
// positions has no extent: it gets the empty box at the origin (the importer never yields one).
BoundingBox computeBoundingBox(const GeometryData& data);

// One vertex at the origin with index 0, normal (1, 0, 0) and texture coordinate (0, 0). Model
// roots are built from it: drawing it produces no fragment.
GeometryData makePlaceholderData();
