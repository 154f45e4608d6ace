#pragma once

#include "assetgen/oriented_box.h"

#include "physics/level_layout.h"

#include <vector>

// The kitchen's pieces as boxes, taken from the level layout wherever a collider exists. The
// model builders draw them, and the light baker lets the same boxes cast shadows, so what is
// seen, what is walked on and what darkens the floor always agree.
namespace kitchen {

inline constexpr float floorY = -21.0f;
inline constexpr float wallTop = 41.92f; // the tall wall block's top
inline constexpr float worktopThickness = 1.2f;

// The room's inner bounds, from the boundary planes.
float roomMinX();
float roomMaxX();
float roomMinZ();
float roomMaxZ();

// A collider shape of the layout as a box in the world (or in its actor's frame).
OrientedBox box(const level::BoxShape& shape);
// The broom's two blocks, turned as their actors are.
OrientedBox broomHandleBox();
OrientedBox broomHeadBox();

// The sink in world x and z: the opening inside the rim boxes, the rim's outer bounds, and the
// gap between the first two counter runs that the sink stands in.
struct Area {
    float x0, x1, z0, z1;
};
Area sinkOpening();
Area sinkRim();
Area sinkGap();

// Model-space parts of the placed furniture.
std::vector<OrientedBox> tableParts();
std::vector<OrientedBox> chairParts(); // the four collider shapes first, then legs and rails
struct BookPart {
    OrientedBox box;
    enum Kind { cover, spine, pages } kind;
};
std::vector<BookPart> bookPileParts(); // the pile's books, then the propped top book

// Every solid that shades the light-mapped surfaces, in world coordinates.
std::vector<OrientedBox> solids();

} // namespace kitchen
