#include "assetgen/cabinet_layout.h"
#include "assetgen/floor_mesh.h"
#include "assetgen/kitchen_parts.h"
#include "assetgen/models.h"
#include "assetgen/texture_layout.h"

#include <algorithm>

namespace models {

namespace {

// A flat rectangle facing up at height y over x0..x1, z0..z1.
void addTop(ChartAtlas& atlas, float y, float x0, float x1, float z0, float z1)
{
    atlas.addRectangle({x0, y, z1}, {x1 - x0, 0, 0}, {0, 0, z0 - z1});
}

// A vertical rectangle from y0 to y1 whose bottom edge runs from `from` along `edge`; it
// faces edge x up.
void addUpright(ChartAtlas& atlas, glm::vec3 from, glm::vec3 edge, float y0, float y1)
{
    atlas.addRectangle({from.x, y0, from.z}, edge, {0, y1 - y0, 0});
}

// The light-mapped shader (texture_lm.frag) repeats the colour texture this many times across
// the light map's coordinates, so one colour texture spans size / colourTiling light-map texels.
constexpr int colourTiling = 8;

// Light-map texels per repeat of a pattern that is `parts` times smaller than its texture.
int patternTexels(int atlasSize, int parts)
{
    return atlasSize / colourTiling / parts;
}

} // namespace

ChartAtlas floor()
{
    // The floor tiles' chequer repeats every two of the texture's four tiles.
    ChartAtlas atlas(1024, 120.0f, patternTexels(1024, 2));
    addTop(atlas, kitchen::floorY, kitchen::roomMinX(), kitchen::roomMaxX(), kitchen::roomMinZ(),
           kitchen::roomMaxZ());
    atlas.pack();
    return atlas;
}

Mesh floorMesh(const ChartAtlas& floor)
{
    return meshOutside(floor, kitchen::floorUnderCabinets());
}

ChartAtlas walls()
{
    ChartAtlas atlas(1024, 32.0f);
    const float x0 = kitchen::roomMinX(), x1 = kitchen::roomMaxX();
    const float z0 = kitchen::roomMinZ(), z1 = kitchen::roomMaxZ();
    const float y0 = kitchen::floorY, y1 = kitchen::wallTop;
    addUpright(atlas, {x0, 0, z1}, {0, 0, z0 - z1}, y0, y1); // faces +x
    addUpright(atlas, {x1, 0, z0}, {0, 0, z1 - z0}, y0, y1); // faces -x
    addUpright(atlas, {x0, 0, z0}, {x1 - x0, 0, 0}, y0, y1); // faces +z
    addUpright(atlas, {x1, 0, z1}, {x0 - x1, 0, 0}, y0, y1); // faces -z

    // The tall block stands against the back wall as a chimney breast; below the counter
    // tops its -x side is hidden by the second and corner runs.
    const OrientedBox block = kitchen::box(level::tallWallBlock);
    const glm::vec3 low = block.lowCorner();
    const glm::vec3 high = block.highCorner();
    const float back = std::max(low.z, z0);
    addUpright(atlas, {low.x, 0, back}, {0, 0, high.z - back}, 0.0f, high.y);
    addUpright(atlas, {high.x, 0, high.z}, {0, 0, back - high.z}, y0, high.y);
    addUpright(atlas, {low.x, 0, high.z}, {high.x - low.x, 0, 0}, y0, high.y);
    addTop(atlas, high.y, low.x, high.x, back, high.z);
    atlas.pack();
    return atlas;
}

ChartAtlas counter()
{
    // Wood grain repeats only with the whole texture: cuts fall on whole textures.
    ChartAtlas atlas(1024, 120.0f, patternTexels(1024, 1));
    const auto& runs = level::counterTops;
    const OrientedBox first = kitchen::box(runs[0]);
    const OrientedBox second = kitchen::box(runs[1]);
    const OrientedBox corner = kitchen::box(runs[2]);
    const OrientedBox far = kitchen::box(runs[3]);
    const float wallX = kitchen::roomMinX();
    const float wallZ = kitchen::roomMaxZ();
    const float edge = -kitchen::worktopThickness;
    const auto lo = [](const OrientedBox& b) { return b.lowCorner(); };
    const auto hi = [](const OrientedBox& b) { return b.highCorner(); };

    // Tops at y = 0 exactly over the four runs; the corner run starts where the second ends.
    addTop(atlas, 0.0f, lo(first).x, hi(first).x, lo(first).z, hi(first).z);
    addTop(atlas, 0.0f, lo(second).x, hi(second).x, lo(second).z, hi(second).z);
    addTop(atlas, 0.0f, lo(corner).x, hi(corner).x, hi(second).z, hi(corner).z);
    // The far run leaves a hole for the hob, which the stove fills at the same height.
    const layout::HobLayout& hob = layout::hob;
    addTop(atlas, 0.0f, lo(far).x, hob.x0, lo(far).z, hi(far).z);
    addTop(atlas, 0.0f, hob.x1, hi(far).x, lo(far).z, hi(far).z);
    addTop(atlas, 0.0f, hob.x0, hob.x1, lo(far).z, hob.z0);
    addTop(atlas, 0.0f, hob.x0, hob.x1, hob.z1, hi(far).z);

    // The worktop's visible edges, on the colliders' faces.
    const float frontZ = hi(first).z;
    addUpright(atlas, {wallX, 0, frontZ}, {hi(first).x - wallX, 0, 0}, edge, 0.0f);
    addUpright(atlas, {lo(second).x, 0, frontZ}, {lo(corner).x - lo(second).x, 0, 0}, edge, 0.0f);
    addUpright(atlas, {lo(corner).x, 0, frontZ}, {0, 0, hi(corner).z - frontZ}, edge, 0.0f);
    addUpright(atlas, {lo(corner).x, 0, hi(corner).z}, {hi(corner).x - lo(corner).x, 0, 0}, edge,
               0.0f);
    addUpright(atlas, {hi(far).x, 0, lo(far).z}, {lo(far).x - hi(far).x, 0, 0}, edge, 0.0f);
    addUpright(atlas, {lo(far).x, 0, lo(far).z}, {0, 0, wallZ - lo(far).z}, edge, 0.0f);
    addUpright(atlas, {hi(far).x, 0, wallZ}, {0, 0, lo(far).z - wallZ}, edge, 0.0f);
    atlas.pack();
    return atlas;
}

ChartAtlas counterCabinets()
{
    ChartAtlas atlas(1024, 24.0f);
    const kitchen::CabinetLayout layout = kitchen::cabinetLayout();
    for (const kitchen::FrontRectangle& recess : layout.recesses) {
        atlas.addRectangle(recess.origin, recess.edgeU, recess.edgeV);
    }
    // Doors and handles show every face but the one against the carcass (local -z).
    const auto visible = [](int face) { return face != faceMinusZ; };
    for (const OrientedBox& panel : layout.panels) {
        atlas.addBox(panel, visible);
    }
    for (const OrientedBox& handle : layout.handles) {
        atlas.addBox(handle, visible);
    }
    atlas.pack();
    return atlas;
}

} // namespace models
